// Symbols the compiler's generated code refers to in every module.
//
// _fltused: present in any module that uses floating point; its definition
// is what the compiler's reference asks the linker for.
// __isa_available: the instruction set the vectorised algorithms of the C++
// library may use; 0 keeps them on the baseline x64 paths, valid on every
// processor the host runs on.
// __chkstk: called before a function whose frame is 4 KiB or more sets it
// up, with the frame's size in rax; it touches each page of the frame in
// order, since Windows grows a thread's stack only one guard page at a time.
// It keeps every register but r10 and r11. Its unwind information (the
// .seh_ directives, which give it a .pdata entry) lets a debugger, a crash
// report or the host's exception handling walk the stack through it, as
// when a probe hits the end of the stack and raises a stack overflow.
extern "C" {
int _fltused = 0x9875;
int __isa_available = 0;
}

__asm__(".text\n"
        ".globl __chkstk\n"
        ".def __chkstk\n"
        ".scl 2\n"
        ".type 32\n"
        ".endef\n"
        ".p2align 4\n"
        "__chkstk:\n"
        ".seh_proc __chkstk\n"
        "  push rcx\n"
        ".seh_pushreg rcx\n"
        "  push rax\n"
        ".seh_pushreg rax\n"
        ".seh_endprologue\n"
        "  cmp rax, 0x1000\n"
        "  lea rcx, [rsp + 24]\n"
        "  jb .Lchkstk_last\n"
        ".Lchkstk_probe:\n"
        "  sub rcx, 0x1000\n"
        "  test qword ptr [rcx], rcx\n"
        "  sub rax, 0x1000\n"
        "  cmp rax, 0x1000\n"
        "  ja .Lchkstk_probe\n"
        ".Lchkstk_last:\n"
        "  sub rcx, rax\n"
        "  test qword ptr [rcx], rcx\n"
        "  pop rax\n"
        "  pop rcx\n"
        "  ret\n"
        ".seh_endproc\n");
