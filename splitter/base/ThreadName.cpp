#include "ThreadName.h"

namespace {

constexpr DWORD kSetThreadNameException = 0x406D1388;

// GCC has no structured exception blocks: a vectored handler, present only for the
// call, continues after the naming exception.
LONG CALLBACK ContinueAfterThreadName(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == kSetThreadNameException) return EXCEPTION_CONTINUE_EXECUTION;
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void SetDebuggerThreadName(DWORD threadId, LPCSTR name) {
    ULONG_PTR arguments[4] = {0x1000, reinterpret_cast<ULONG_PTR>(name), threadId, 0};
    PVOID handler = AddVectoredExceptionHandler(1, &ContinueAfterThreadName);
    if (!handler) return;
    RaiseException(kSetThreadNameException, 0, 4, arguments);
    RemoveVectoredExceptionHandler(handler);
}
