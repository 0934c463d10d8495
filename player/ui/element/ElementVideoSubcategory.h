// The web-category list of the main window: one "li" item per category of the
// catalogue, each carrying the page it links to in "url"; the chosen one carries the
// id "current-video-web".
#pragma once

#include "element/Element.h"
#include "htmlayout/dom.h"

class CElementVideoSubcategory : public CElement {
public:
    using CElement::CElement;

    // Appends an item unless one links to the url already (ignoring case); true when added.
    bool AddItem(const CString& title, const CString& url);
    // Makes the item that is or holds the element the chosen one and returns its url;
    // empty when the element lies in no item.
    CString SelectItem(HELEMENT he);
};
