// Catalogue items that the catalogue thread posts to the main window, whose
// handlers free them through the base class.
#pragma once

#include <afx.h>

struct BASE_WEB_INFO {
    BASE_WEB_INFO(const CString& name, const CString& url) : name(name), url(url) {}
    virtual ~BASE_WEB_INFO() = default;

    CString name;  // category name or video title
    CString url;   // the page the item links to
};

struct WEB_INFO_NEWESE_VIDEO : BASE_WEB_INFO {
    WEB_INFO_NEWESE_VIDEO(const CString& title, const CString& url, const CString& imageurl, const CString& brief,
                          const CString& price)
        : BASE_WEB_INFO(title, url), imageurl(imageurl), brief(brief), price(price) {}

    CString imageurl;
    CString brief;
    CString price;  // as the service writes it
};
