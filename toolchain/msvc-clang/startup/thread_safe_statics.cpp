// Thread-safe initialisation of local statics. For each such variable the
// compiler keeps a guard: 0 while not initialised, -1 while a thread
// initialises it, and afterwards the value of a global epoch that grows with
// every completed initialisation. A thread whose own copy of the epoch is at
// least the guard knows the variable is ready without taking the lock.
#include <limits.h>
#include <windows.h>

namespace {
constexpr int uninitialized = 0;
constexpr int being_initialized = -1;

SRWLOCK lock = SRWLOCK_INIT;
CONDITION_VARIABLE initialized = CONDITION_VARIABLE_INIT;
int global_epoch = INT_MIN;
} // namespace

extern "C" {
__declspec(thread) int _Init_thread_epoch = INT_MIN;

// Called when the guard says the variable may not be ready: on return, the
// guard is -1 if this thread is to initialise it, else it is ready.
void __cdecl _Init_thread_header(int *guard) {
  AcquireSRWLockExclusive(&lock);
  if (*guard == uninitialized) {
    *guard = being_initialized;
  } else {
    while (*guard == being_initialized) {
      SleepConditionVariableSRW(&initialized, &lock, INFINITE, 0);
      // The thread that was initialising it threw: this one takes over.
      if (*guard == uninitialized) {
        *guard = being_initialized;
        ReleaseSRWLockExclusive(&lock);
        return;
      }
    }
    _Init_thread_epoch = global_epoch;
  }
  ReleaseSRWLockExclusive(&lock);
}

// The initialisation completed.
void __cdecl _Init_thread_footer(int *guard) {
  AcquireSRWLockExclusive(&lock);
  ++global_epoch;
  *guard = global_epoch;
  _Init_thread_epoch = global_epoch;
  ReleaseSRWLockExclusive(&lock);
  WakeAllConditionVariable(&initialized);
}

// The initialisation threw: the next thread to come by tries again.
void __cdecl _Init_thread_abort(int *guard) {
  AcquireSRWLockExclusive(&lock);
  *guard = uninitialized;
  ReleaseSRWLockExclusive(&lock);
  WakeAllConditionVariable(&initialized);
}
}
