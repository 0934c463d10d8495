// A structured-exception guard for code built without one: a handler frame on the calling
// thread's chain (FS:[0]) around a body. The filter sees each exception raised inside the
// body before the system's last-chance handling; EXCEPTION_CONTINUE_EXECUTION resumes at
// the exception, any other answer lets the search go on (to the system, which ends the
// process when nothing else handles it). The 64-bit test build, which has no such chain,
// asks the filter from the process's unhandled-exception filter instead.
//
//   SetErrorMode(SEM_NOGPFAULTERRORBOX);
//   RaiseStructuredOnTerminate();
//   return RunGuarded(RunTheProgram, &args, [](EXCEPTION_POINTERS* pointers, void*) -> LONG {
//       return RecordCrash(pointers, "ExceptionAttacher - AfxWinMain", FALSE);
//   }, nullptr);
#pragma once

#include <windows.h>

using GUARD_BODY = int (*)(void* context);
using GUARD_FILTER = LONG (*)(EXCEPTION_POINTERS* pointers, void* context);

// The body's result. A C++ exception may pass through; the frame is removed on the way.
int RunGuarded(GUARD_BODY body, void* bodyContext, GUARD_FILTER filter, void* filterContext);

// The code raised for a C++ exception that nothing catches.
constexpr DWORD CPP_EXCEPTION_CODE = 0xE06D7363;
// From now on an uncaught C++ exception raises a non-continuable structured exception of
// CPP_EXCEPTION_CODE where it was thrown (before any unwinding), so that the guard sees it.
void RaiseStructuredOnTerminate();
