#include "CallScope.h"

namespace hlwin {
namespace {

int g_depth = 0;

}  // namespace

CallScope::CallScope() { ++g_depth; }

CallScope::~CallScope() {
    if (--g_depth > 0) return;
    try {
        DeleteDroppedViews();
    } catch (...) {
        // A view that fails to go is dropped all the same.
    }
}

}  // namespace hlwin
