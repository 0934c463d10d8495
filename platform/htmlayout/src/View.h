// An engine window: its page and everything the page needs of the window (text
// measuring, images, the program's behaviours, repainting, posted events, capture),
// and the processing of the window's messages.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Document.h"
#include "Canvas.h"
#include "htmlayout.h"

namespace hlwin {

class View : public hl::DocumentHost {
public:
    // The view of a window, made on first use; null for a handle that is no window.
    static View* Of(HWND hwnd);
    // The view of a window if it has one.
    static View* Existing(HWND hwnd);
    // The view of the window an element's page belongs to, or null.
    static View* OfDocument(const hl::Document* document);
    static void Drop(HWND hwnd);

    explicit View(HWND hwnd);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    hl::Document& Page() { return m_document; }
    // Brings the page up to date (styles, behaviours, layout) for queries.
    hl::Document& UpToDate();

    LRESULT Process(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled);
    void SetCallback(LPHTMLAYOUT_NOTIFY callback, LPVOID param);
    void AttachWindowHandler(LPELEMENT_EVENT_PROC proc, LPVOID tag, UINT subscription);
    bool LoadFile(const std::u16string& path);

    // hl::DocumentHost
    hl::TextMeasurer& Measurer() override { return m_typography; }
    bool ImageSize(const std::u16string& path, int& width, int& height) override;
    std::shared_ptr<hl::HandlerEntry> ResolveBehavior(hl::Node* element, const std::string& name) override;
    void Invalidate(const hl::Rect& area) override;
    void EventsPosted() override;
    void CaptureMouse(bool capture) override;

private:
    void Paint();
    void MouseButton(UINT msg, WPARAM wParam, LPARAM lParam);
    bool SetCursorFromPage();

    HWND m_hwnd;
    LPHTMLAYOUT_NOTIFY m_notify = nullptr;
    LPVOID m_notifyParam = nullptr;
    bool m_trackingLeave = false;
    GdiplusSession m_gdiplus;
    Typography m_typography;
    ImageCache m_images;
    hl::Document m_document;  // last: it goes first, while the rest still serves it
};

}  // namespace hlwin
