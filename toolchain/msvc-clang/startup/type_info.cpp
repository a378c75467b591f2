// type_info's destructor and its virtual table, which every type descriptor
// the compiler emits points to. wine's vcruntime140.dll and ucrtbase.dll
// export neither (only the __std_type_info_* functions), so each module has
// its own, which works whichever runtime DLLs the host's process has. Type
// descriptors are never destroyed, so the table's one slot (the deleting
// destructor) is never called in practice, and no descriptor of type_info
// itself is needed: the slot before the table, where the compiler looks for
// it, stays empty.
#include <vcruntime_typeinfo.h>

extern "C" {
// The head of the list of names type_info::name() undecorated for this
// module, freed when the module ends. The runtime pushes onto it with a
// 16-byte compare-exchange, which needs it aligned to 16 bytes.
struct alignas(16) __type_info_node {
  void *_MemPtr;
  __type_info_node *_Next;
};
__type_info_node __type_info_root_node{};

void *msvc_clang_type_info_deleting_destructor(type_info *self, unsigned flags) {
  self->~type_info();
  if ((flags & 1) != 0)
    ::operator delete(self);
  return self;
}
}

type_info::~type_info() noexcept {}

// The compiler does not emit a virtual table for a class none of whose
// constructors it sees; the table is laid out by hand, under the name the
// compiler gives it.
__asm__(".section .rdata,\"dr\"\n"
        ".p2align 3\n"
        ".quad 0\n"
        ".globl \"??_7type_info@@6B@\"\n"
        "\"??_7type_info@@6B@\":\n"
        ".quad msvc_clang_type_info_deleting_destructor\n");
