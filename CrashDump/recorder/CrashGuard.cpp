#include "CrashGuard.h"

#include <cstdlib>
#include <exception>

namespace {

#ifdef _WIN64
// The 64-bit test build has no FS:[0] chain: the guard of the running thread is asked from
// the process's unhandled-exception filter, which sees what no frame handles.
struct GUARD {
    GUARD_FILTER filter;
    void* context;
};
thread_local const GUARD* t_guard = nullptr;

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pointers) {
    if (!t_guard) return EXCEPTION_CONTINUE_SEARCH;
    return t_guard->filter(pointers, t_guard->context) == EXCEPTION_CONTINUE_EXECUTION ? EXCEPTION_CONTINUE_EXECUTION
                                                                                       : EXCEPTION_CONTINUE_SEARCH;
}

// Makes the guard the thread's own while it lives (also when a C++ exception unwinds through it).
class GuardScope {
public:
    explicit GuardScope(const GUARD& guard) : m_previous(t_guard) {
        t_guard = &guard;
        SetUnhandledExceptionFilter(UnhandledFilter);
    }
    ~GuardScope() { t_guard = m_previous; }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

private:
    const GUARD* m_previous;
};
#else
constexpr DWORD UNWINDING_FLAGS = 0x2 | 0x4;  // unwinding, exit unwinding

struct GUARD_FRAME;
using FRAME_HANDLER = EXCEPTION_DISPOSITION(__cdecl*)(EXCEPTION_RECORD*, void*, CONTEXT*, void*);

// The system's registration record first, then the guard's own fields.
struct GUARD_FRAME {
    GUARD_FRAME* previous;
    FRAME_HANDLER handler;
    GUARD_FILTER filter;
    void* context;
};

GUARD_FRAME* ChainHead() {
    GUARD_FRAME* head;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetChainHead(GUARD_FRAME* head) { __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*) {
    if (record->ExceptionFlags & UNWINDING_FLAGS) return ExceptionContinueSearch;
    GUARD_FRAME* guard = static_cast<GUARD_FRAME*>(frame);
    EXCEPTION_POINTERS pointers = {record, context};
    if (guard->filter(&pointers, guard->context) == EXCEPTION_CONTINUE_EXECUTION) return ExceptionContinueExecution;
    return ExceptionContinueSearch;
}

// Links the frame while it lives (also when a C++ exception unwinds through it).
class FrameLink {
public:
    explicit FrameLink(GUARD_FRAME& frame) : m_frame(frame) {
        m_frame.previous = ChainHead();
        SetChainHead(&m_frame);
    }
    ~FrameLink() { SetChainHead(m_frame.previous); }
    FrameLink(const FrameLink&) = delete;
    FrameLink& operator=(const FrameLink&) = delete;

private:
    GUARD_FRAME& m_frame;
};

#endif

[[noreturn]] void RaiseOnTerminate() {
    RaiseException(CPP_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

}  // namespace

#ifdef _WIN64
int RunGuarded(GUARD_BODY body, void* bodyContext, GUARD_FILTER filter, void* filterContext) {
    const GUARD guard = {filter, filterContext};
    GuardScope scope(guard);
    return body(bodyContext);
}
#else
__attribute__((noinline)) int RunGuarded(GUARD_BODY body, void* bodyContext, GUARD_FILTER filter, void* filterContext) {
    GUARD_FRAME frame = {nullptr, GuardHandler, filter, filterContext};
    FrameLink link(frame);
    return body(bodyContext);
}
#endif

void RaiseStructuredOnTerminate() { std::set_terminate(RaiseOnTerminate); }
