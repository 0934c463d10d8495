// A program's element procedure as a core event handler: the core's events become
// the interface's records.
#pragma once

#include "Events.h"
#include "htmlayout.h"

namespace hlwin {

class ElementProcHandler : public hl::EventHandler {
public:
    ElementProcHandler(LPELEMENT_EVENT_PROC proc, LPVOID tag) : m_proc(proc), m_tag(tag) {}
    bool Handle(hl::Node* element, const hl::Event& event) override;
    bool Is(LPELEMENT_EVENT_PROC proc, LPVOID tag) const { return proc == m_proc && tag == m_tag; }

private:
    LPELEMENT_EVENT_PROC m_proc;
    LPVOID m_tag;
};

}  // namespace hlwin
