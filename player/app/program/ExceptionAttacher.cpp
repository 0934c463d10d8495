// The program's own entry routine: the framework's start-up, the application's start-up,
// its main loop and shut-down, all inside the crash guard of the user-interface thread.
#include <afxwin.h>

#include "CrashGuard.h"
#include "CrashRecorder.h"
#include "ZemovistaApp.h"

namespace {
const char GUARD_ORIGIN[] = "ExceptionAttacher - AfxWinMain";

struct WINMAIN_ARGS {
    HINSTANCE instance;
    HINSTANCE previous;
    LPTSTR commandLine;
    int show;
};

int RunApplication(void* context) {
    const WINMAIN_ARGS& args = *static_cast<WINMAIN_ARGS*>(context);
    CWinThread* thread = AfxGetThread();
    CWinApp* app = AfxGetApp();
    int result = -1;
    if (thread && app && AfxWinInit(args.instance, args.previous, args.commandLine, args.show) &&
        app->InitApplication()) {
        if (!thread->InitInstance()) {
            if (thread->m_pMainWnd) thread->m_pMainWnd->DestroyWindow();
            result = thread->ExitInstance();
        } else {
            result = thread->Run();
        }
    }
    AfxWinTerm();
    return result;
}
}  // namespace

// Records the crash once and lets the system end the process.
LONG ExceptionAttacherFilter(EXCEPTION_POINTERS* pointers, void*) { return RecordCrash(pointers, GUARD_ORIGIN, FALSE); }

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int show) {
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    // An uncaught C++ exception becomes a structured one, so that the guard records it too.
    RaiseStructuredOnTerminate();
    WINMAIN_ARGS args = {instance, previous, commandLine, show};
    return RunGuarded(RunApplication, &args, ExceptionAttacherFilter, nullptr);
}

CZemovistaApp theApp;
