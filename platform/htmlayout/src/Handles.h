// Element handles of the interface and the core's nodes.
#pragma once

#include <cstdint>

#include "Node.h"
#include "htmlayout.h"

namespace hlwin {

inline HELEMENT ToHandle(const hl::Node* node) {
    return node ? reinterpret_cast<HELEMENT>(static_cast<uintptr_t>(node->Handle())) : nullptr;
}

// The live node of a handle, or null.
inline hl::Node* ToNode(HELEMENT he) {
    uintptr_t value = reinterpret_cast<uintptr_t>(he);
    return value && value <= UINT32_MAX ? hl::Node::FromHandle(static_cast<uint32_t>(value)) : nullptr;
}

}  // namespace hlwin
