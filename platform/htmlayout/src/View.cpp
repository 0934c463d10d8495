#include "View.h"

#include <windowsx.h>

#include <unordered_map>
#include <vector>

#include "CallScope.h"
#include "ElementProc.h"
#include "FileBytes.h"
#include "Handles.h"

namespace hlwin {
namespace {

std::unordered_map<HWND, std::unique_ptr<View>>& Views() {
    static std::unordered_map<HWND, std::unique_ptr<View>> views;
    return views;
}

// Views of destroyed windows wait here until no engine call is running.
std::vector<std::unique_ptr<View>>& Dropped() {
    static std::vector<std::unique_ptr<View>> dropped;
    return dropped;
}

UINT PostedEventsMessage() {
    static const UINT message = RegisterWindowMessageW(L"htmlayout.posted-events");
    return message;
}

uint32_t KeysFromMouse(WPARAM wParam) {
    return (wParam & MK_CONTROL ? hl::key::kControl : 0) | (wParam & MK_SHIFT ? hl::key::kShift : 0) |
           (GetKeyState(VK_MENU) < 0 ? hl::key::kAlt : 0);
}

uint32_t KeysNow() {
    return (GetKeyState(VK_CONTROL) < 0 ? hl::key::kControl : 0) | (GetKeyState(VK_SHIFT) < 0 ? hl::key::kShift : 0) |
           (GetKeyState(VK_MENU) < 0 ? hl::key::kAlt : 0);
}

uint32_t ButtonsFromMouse(WPARAM wParam) {
    return (wParam & MK_LBUTTON ? hl::mouse::kMainButton : 0) | (wParam & MK_RBUTTON ? hl::mouse::kPropButton : 0) |
           (wParam & MK_MBUTTON ? hl::mouse::kMiddleButton : 0);
}

hl::Point PointFrom(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

struct CursorName {
    const char* name;
    LPCWSTR cursor;
};
const CursorName kCursors[] = {
    {"pointer", IDC_HAND},
    {"hand", IDC_HAND},
    {"default", IDC_ARROW},
    {"arrow", IDC_ARROW},
    {"text", IDC_IBEAM},
    {"move", IDC_SIZEALL},
    {"wait", IDC_WAIT},
    {"progress", IDC_APPSTARTING},
    {"crosshair", IDC_CROSS},
    {"help", IDC_HELP},
    {"not-allowed", IDC_NO},
    {"ns-resize", IDC_SIZENS},
    {"n-resize", IDC_SIZENS},
    {"s-resize", IDC_SIZENS},
    {"ew-resize", IDC_SIZEWE},
    {"e-resize", IDC_SIZEWE},
    {"w-resize", IDC_SIZEWE},
    {"nwse-resize", IDC_SIZENWSE},
    {"nesw-resize", IDC_SIZENESW},
};

}  // namespace

View* View::Of(HWND hwnd) {
    if (View* view = Existing(hwnd)) return view;
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    return Views().emplace(hwnd, std::make_unique<View>(hwnd)).first->second.get();
}

View* View::Existing(HWND hwnd) {
    auto it = Views().find(hwnd);
    return it == Views().end() ? nullptr : it->second.get();
}

View* View::OfDocument(const hl::Document* document) {
    if (!document) return nullptr;
    for (auto& [hwnd, view] : Views())
        if (&view->m_document == document) return view.get();
    return nullptr;
}

void View::Drop(HWND hwnd) {
    auto it = Views().find(hwnd);
    if (it == Views().end()) return;
    Dropped().push_back(std::move(it->second));
    Views().erase(it);
}

void CallScope::DeleteDroppedViews() {
    if (Dropped().empty()) return;
    std::vector<std::unique_ptr<View>> dropped;
    dropped.swap(Dropped());
    CallScope scope;  // a behaviour's detach may call the engine again
    dropped.clear();
}

View::View(HWND hwnd) : m_hwnd(hwnd), m_document(*this) {
    RECT client{};
    GetClientRect(hwnd, &client);
    m_document.SetViewSize(client.right, client.bottom);
}

View::~View() = default;

hl::Document& View::UpToDate() {
    m_document.Update();
    return m_document;
}

void View::SetCallback(LPHTMLAYOUT_NOTIFY callback, LPVOID param) {
    m_notify = callback;
    m_notifyParam = param;
}

void View::AttachWindowHandler(LPELEMENT_EVENT_PROC proc, LPVOID tag, UINT subscription) {
    for (auto& entry : m_document.WindowHandlers()) {
        if (static_cast<ElementProcHandler*>(entry->handler.get())->Is(proc, tag)) {
            entry->subscription = subscription;
            return;
        }
    }
    auto entry = std::make_shared<hl::HandlerEntry>();
    entry->handler = std::make_unique<ElementProcHandler>(proc, tag);
    entry->subscription = subscription;
    m_document.WindowHandlers().push_back(std::move(entry));
}

bool View::LoadFile(const std::u16string& path) {
    std::vector<unsigned char> bytes = ReadFileBytes(path);
    if (bytes.empty()) return false;
    size_t slash = path.find_last_of(u"\\/");
    std::u16string folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
    m_images.NewPage();
    m_document.Load(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), folder);
    return true;
}

bool View::ImageSize(const std::u16string& path, int& width, int& height) {
    Gdiplus::Bitmap* image = m_images.Get(path);
    if (!image) return false;
    width = static_cast<int>(image->GetWidth());
    height = static_cast<int>(image->GetHeight());
    return true;
}

std::shared_ptr<hl::HandlerEntry> View::ResolveBehavior(hl::Node* element, const std::string& name) {
    if (!m_notify) return nullptr;
    NMHL_ATTACH_BEHAVIOR record{};
    record.hdr.hwndFrom = m_hwnd;
    record.hdr.code = HLN_ATTACH_BEHAVIOR;
    record.element = ToHandle(element);
    record.behaviorName = name.c_str();
    m_notify(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record), m_notifyParam);
    if (!record.elementProc) return nullptr;
    auto entry = std::make_shared<hl::HandlerEntry>();
    entry->handler = std::make_unique<ElementProcHandler>(record.elementProc, record.elementTag);
    entry->subscription = record.elementEvents;
    return entry;
}

void View::Invalidate(const hl::Rect& area) {
    RECT r{area.x, area.y, area.Right(), area.Bottom()};
    InvalidateRect(m_hwnd, &r, FALSE);
}

void View::EventsPosted() { PostMessageW(m_hwnd, PostedEventsMessage(), 0, 0); }

void View::CaptureMouse(bool capture) {
    if (capture)
        SetCapture(m_hwnd);
    else if (GetCapture() == m_hwnd)
        ReleaseCapture();
}

void View::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (hdc) {
        const RECT& r = ps.rcPaint;
        hl::PaintList list = m_document.Paint({r.left, r.top, r.right - r.left, r.bottom - r.top});
        DrawPaintList(hdc, r, list, m_images, m_typography);
    }
    EndPaint(m_hwnd, &ps);
}

void View::MouseButton(UINT msg, WPARAM wParam, LPARAM lParam) {
    hl::Point p = PointFrom(lParam);
    uint32_t keys = KeysFromMouse(wParam);
    uint32_t button = msg <= WM_LBUTTONDBLCLK   ? hl::mouse::kMainButton
                      : msg <= WM_RBUTTONDBLCLK ? hl::mouse::kPropButton
                                                : hl::mouse::kMiddleButton;
    hl::Input& input = m_document.GetInput();
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
            input.MouseDown(p, button, keys, false);
            break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            input.MouseDown(p, button, keys, true);
            break;
        default:
            input.MouseUp(p, button, keys);
            break;
    }
}

bool View::SetCursorFromPage() {
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(m_hwnd, &p)) return false;
    m_document.Update();
    std::string name = m_document.GetInput().CursorAt({p.x, p.y});
    for (const CursorName& c : kCursors) {
        if (name == c.name) {
            SetCursor(LoadCursorW(nullptr, c.cursor));
            return true;
        }
    }
    return false;
}

LRESULT View::Process(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    handled = FALSE;
    if (msg == PostedEventsMessage()) {
        m_document.DeliverPostedEvents();
        handled = TRUE;
        return 0;
    }
    switch (msg) {
        case WM_PAINT:
            Paint();
            handled = TRUE;
            return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(m_hwnd, &client);
            hl::PaintList list = m_document.Paint({0, 0, client.right, client.bottom});
            DrawPaintList(reinterpret_cast<HDC>(wParam), client, list, m_images, m_typography);
            handled = TRUE;
            return 0;
        }
        case WM_ERASEBKGND:
            handled = TRUE;
            return 1;
        case WM_SIZE:
            m_document.SetViewSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (!m_trackingLeave) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hwnd, 0};
                m_trackingLeave = TrackMouseEvent(&track) != FALSE;
            }
            m_document.GetInput().MouseMove(PointFrom(lParam), ButtonsFromMouse(wParam), KeysFromMouse(wParam));
            return 0;
        case WM_MOUSELEAVE:
            m_trackingLeave = false;
            m_document.GetInput().MouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            MouseButton(msg, wParam, lParam);
            return 0;
        case WM_MOUSEWHEEL: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(m_hwnd, &p);
            handled = m_document.GetInput().Wheel({p.x, p.y}, GET_WHEEL_DELTA_WPARAM(wParam)) ? TRUE : FALSE;
            return 0;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: {
            uint32_t cmd = msg == WM_KEYDOWN ? hl::key::kDown : msg == WM_KEYUP ? hl::key::kUp : hl::key::kChar;
            handled = m_document.GetInput().Key(cmd, static_cast<uint32_t>(wParam), KeysNow()) ? TRUE : FALSE;
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hwnd && SetCursorFromPage()) {
                handled = TRUE;
                return TRUE;
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != m_hwnd) m_document.GetInput().CaptureLost();
            return 0;
        default:
            return 0;
    }
}

}  // namespace hlwin
