// Crashes under the recorder's guard as the player's start-up would: "write-null" stores
// through a null pointer, "throw" lets a C++ exception go uncaught, "twice" calls the
// recorder twice from the filter.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "CrashGuard.h"
#include "CrashRecorder.h"

namespace {

// Read at run time, so the compiler cannot drop the store through it.
int* volatile s_nowhere = nullptr;
bool s_twice = false;

__attribute__((noinline)) void Throw() { throw std::runtime_error("nobody catches this"); }

int Body(void* context) {
    const char* mode = static_cast<const char*>(context);
    if (strcmp(mode, "throw") == 0) Throw();
    *s_nowhere = 7;
    return 0;
}

LONG Filter(EXCEPTION_POINTERS* pointers, void*) {
    RecordCrash(pointers, "ExceptionAttacher - AfxWinMain", FALSE);
    if (s_twice) RecordCrash(pointers, "ExceptionAttacher - AfxWinMain", FALSE);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int main(int argc, char** argv) {
    char mode[] = "write-null";
    const char* chosen = argc > 1 ? argv[1] : mode;
    s_twice = strcmp(chosen, "twice") == 0;
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    RaiseStructuredOnTerminate();
    return RunGuarded(Body, const_cast<char*>(chosen), Filter, nullptr);
}
