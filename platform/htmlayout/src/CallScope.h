// Every call into the engine runs inside a scope: no C++ exception leaves it, and
// views of windows destroyed meanwhile are deleted only once no call is running.
#pragma once

#include <utility>

#include "htmlayout.h"

namespace hlwin {

class CallScope {
public:
    CallScope();
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    static void DeleteDroppedViews();
};

template <typename F>
auto Guarded(F&& body, decltype(body()) failure) noexcept -> decltype(body()) {
    try {
        CallScope scope;
        return body();
    } catch (...) {
        return failure;
    }
}

template <typename F>
HLDOM_RESULT Guarded(F&& body) noexcept {
    return Guarded(std::forward<F>(body), HLDOM_OPERATION_FAILED);
}

}  // namespace hlwin
