// The /GS stack cookie: a value per module, written into a function's frame
// on entry and compared on return; a difference means the frame was
// overrun, and the process ends at once rather than return through it.
//
// Also the module's load-configuration directory, which every DLL and
// program Microsoft's linker makes from Microsoft's runtime carries, and
// which tells the loader where the cookie is, so that Windows can give it a
// random value before any code of the module runs.
#include <intrin.h>
#include <stddef.h>
#include <windows.h>

namespace {
// What the cookie holds until it is set: a fixed value, so that a module
// whose cookie was never set can be told (and still works).
constexpr uintptr_t initial_cookie = 0x00002B992DDFA232;
} // namespace

extern "C" {
uintptr_t __security_cookie = initial_cookie;
uintptr_t __security_cookie_complement = ~initial_cookie;

// Set once, at the module's start, before any function that checks it runs.
void __cdecl __security_init_cookie(void) {
  if (__security_cookie != initial_cookie)
    return;
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  uintptr_t cookie = (static_cast<uintptr_t>(time.dwHighDateTime) << 32) ^ time.dwLowDateTime;
  cookie ^= static_cast<uintptr_t>(GetCurrentThreadId()) ^ GetCurrentProcessId();
  cookie ^= (static_cast<uintptr_t>(counter.LowPart) << 32) ^ counter.QuadPart;
  cookie ^= reinterpret_cast<uintptr_t>(&cookie);
  // The top 16 bits stay clear, as an x64 address's do.
  cookie &= 0x0000FFFFFFFFFFFF;
  if (cookie == initial_cookie)
    ++cookie;
  __security_cookie = cookie;
  __security_cookie_complement = ~cookie;
}

__declspec(noreturn) void __cdecl __report_gsfailure(uintptr_t) {
  __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE);
}

void __cdecl __security_check_cookie(uintptr_t cookie) {
  if (cookie != __security_cookie)
    __report_gsfailure(cookie);
}
}

namespace msvc_clang_startup {
// The load-configuration directory as the PE format documents it for x64,
// to its last field (GuardMemcpyFunctionPointer); wine's winnt.h has only
// its first fields. Only Size and SecurityCookie are set: the image uses no
// control-flow guard, no lock prefix table, no SEH table (x64 unwinds
// through .pdata) and no other of the loader's optional features.
struct LoadConfigDirectory {
  DWORD Size;
  DWORD TimeDateStamp;
  WORD MajorVersion;
  WORD MinorVersion;
  DWORD GlobalFlagsClear;
  DWORD GlobalFlagsSet;
  DWORD CriticalSectionDefaultTimeout;
  ULONGLONG DeCommitFreeBlockThreshold;
  ULONGLONG DeCommitTotalFreeThreshold;
  ULONGLONG LockPrefixTable;
  ULONGLONG MaximumAllocationSize;
  ULONGLONG VirtualMemoryThreshold;
  ULONGLONG ProcessAffinityMask;
  DWORD ProcessHeapFlags;
  WORD CSDVersion;
  WORD DependentLoadFlags;
  ULONGLONG EditList;
  ULONGLONG SecurityCookie;
  ULONGLONG SEHandlerTable;
  ULONGLONG SEHandlerCount;
  ULONGLONG GuardCFCheckFunctionPointer;
  ULONGLONG GuardCFDispatchFunctionPointer;
  ULONGLONG GuardCFFunctionTable;
  ULONGLONG GuardCFFunctionCount;
  DWORD GuardFlags;
  BYTE CodeIntegrity[12];
  ULONGLONG GuardAddressTakenIatEntryTable;
  ULONGLONG GuardAddressTakenIatEntryCount;
  ULONGLONG GuardLongJumpTargetTable;
  ULONGLONG GuardLongJumpTargetCount;
  ULONGLONG DynamicValueRelocTable;
  ULONGLONG CHPEMetadataPointer;
  ULONGLONG GuardRFFailureRoutine;
  ULONGLONG GuardRFFailureRoutineFunctionPointer;
  DWORD DynamicValueRelocTableOffset;
  WORD DynamicValueRelocTableSection;
  WORD Reserved2;
  ULONGLONG GuardRFVerifyStackPointerFunctionPointer;
  DWORD HotPatchTableOffset;
  DWORD Reserved3;
  ULONGLONG EnclaveConfigurationPointer;
  ULONGLONG VolatileMetadataPointer;
  ULONGLONG GuardEHContinuationTable;
  ULONGLONG GuardEHContinuationCount;
  ULONGLONG GuardXFGCheckFunctionPointer;
  ULONGLONG GuardXFGDispatchFunctionPointer;
  ULONGLONG GuardXFGTableDispatchFunctionPointer;
  ULONGLONG CastGuardOsDeterminedFailureMode;
  ULONGLONG GuardMemcpyFunctionPointer;
};
static_assert(offsetof(LoadConfigDirectory, SecurityCookie) == 0x58);
static_assert(offsetof(LoadConfigDirectory, GuardFlags) == 0x90);
static_assert(sizeof(LoadConfigDirectory) == 0x140);
} // namespace msvc_clang_startup

// The linker points the image's load-configuration entry at this symbol.
// Every field not named is zero.
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wmissing-designated-field-initializers"
extern "C" const msvc_clang_startup::LoadConfigDirectory _load_config_used = {
    .Size = sizeof(msvc_clang_startup::LoadConfigDirectory),
    .SecurityCookie = reinterpret_cast<ULONGLONG>(&__security_cookie)};
#pragma clang diagnostic pop
