// Behaviour events raised by the program: sent at once or posted for later.
#include "CallScope.h"
#include "Document.h"
#include "Handles.h"

using hl::Node;
using hlwin::Guarded;
using hlwin::ToNode;

namespace {

// The element and the source (the element when null) of an event, in a page.
HLDOM_RESULT Resolve(HELEMENT he, HELEMENT heSource, Node*& element, Node*& source, hl::Document*& document) {
    element = ToNode(he);
    source = heSource ? ToNode(heSource) : element;
    if (!element || !source) return HLDOM_INVALID_HANDLE;
    if (element->IsText()) element = element->ParentElement();
    document = element ? element->OwnerDocument() : nullptr;
    return document ? HLDOM_OK : HLDOM_PASSIVE_HANDLE;
}

}  // namespace

HLDOM_RESULT HLAPI HTMLayoutSendEvent(HELEMENT he, UINT cmd, HELEMENT heSource, UINT_PTR reason, BOOL* handled) {
    if (handled) *handled = FALSE;
    return Guarded([&] {
        Node *element, *source;
        hl::Document* document;
        HLDOM_RESULT result = Resolve(he, heSource, element, source, document);
        if (result != HLDOM_OK) return result;
        bool took = document->SendEvent(element, cmd, source, reason);
        if (handled) *handled = took ? TRUE : FALSE;
        return HLDOM_OK;
    });
}

HLDOM_RESULT HLAPI HTMLayoutPostEvent(HELEMENT he, UINT cmd, HELEMENT heSource, UINT_PTR reason) {
    return Guarded([&] {
        Node *element, *source;
        hl::Document* document;
        HLDOM_RESULT result = Resolve(he, heSource, element, source, document);
        if (result != HLDOM_OK) return result;
        document->PostEvent(element, cmd, source, reason);
        return HLDOM_OK;
    });
}
