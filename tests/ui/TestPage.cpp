#include "TestPage.h"

#include "common/CommonHelpers.h"

namespace {

const RECT kFrame = {700, 400, 1500, 1000};
const RECT kClient = {0, 0, 800, 600};

POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::string Utf8(LPCWSTR text) {
    std::string out;
    WideToUtf8(text ? text : L"", true, out);
    return out;
}

// The keyboard state that the engine reads while it handles key messages.
void HoldModifiers(bool ctrl, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

OwnTemplate::OwnTemplate(LPCWSTR page) {
    CString name(page);
    int dot = name.ReverseFind(L'.');
    m_name.Format(L"%s-%lu%s", name.Left(dot).GetString(), GetCurrentProcessId(), name.Mid(dot).GetString());
    m_made = CopyFileW(GetProgramFolder() + page, GetProgramFolder() + m_name, FALSE) != FALSE;
}

OwnTemplate::~OwnTemplate() { DeleteFileW(GetProgramFolder() + m_name); }

void EventLog::Attach(HWND hwnd) {
    HTMLayoutWindowAttachEventHandler(hwnd, &EventLog::Proc, this, HANDLE_BEHAVIOR_EVENT);
}

BOOL CALLBACK EventLog::Proc(LPVOID tag, HELEMENT, UINT group, LPVOID params) {
    if (group != HANDLE_BEHAVIOR_EVENT) return FALSE;
    auto* event = static_cast<BEHAVIOR_EVENT_PARAMS*>(params);
    if (event->cmd & SINKING) return FALSE;
    htmlayout::dom::element source(event->heTarget);
    LPCWSTR id = source.get_attribute("id");
    std::string name = id ? Utf8(id) : Utf8(source.inner_text().c_str());
    static_cast<EventLog*>(tag)->events.push_back(std::to_string(event->cmd & ~HANDLED) + " " + name + " " +
                                                  std::to_string(event->reason));
    return FALSE;
}

TestPage::TestPage(LPCWSTR page, CRecordingCtrlManager::Binder bind)
    : m_template(page), m_window(m_template.Name(), std::move(bind)) {}

TestPage::~TestPage() = default;

bool TestPage::Open() {
    if (!m_template.Made()) return false;
    if (!m_frame.CreateEx(WS_EX_TOPMOST, nullptr, L"test page", WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0))
        return false;
    if (!m_window.Create(nullptr, nullptr, WS_VISIBLE, kClient, &m_frame, 1)) return false;
    HTMLayoutUpdateWindow(m_window.m_hWnd);
    PumpMessages();
    return Manager().GetRootElement().is_valid();
}

POINT TestPage::TextPoint(HELEMENT he) {
    RECT content = htmlayout::dom::element(he).location(VIEW_RELATIVE | CONTENT_BOX);
    return {content.left + 2, (content.top + content.bottom) / 2};
}

void TestPage::Click(POINT point, WPARAM keys, bool twice) {
    LPARAM at = MAKELPARAM(point.x, point.y);
    m_window.PostMessage(WM_MOUSEMOVE, 0, at);
    m_window.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    m_window.PostMessage(WM_LBUTTONUP, keys, at);
    if (twice) {
        m_window.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | keys, at);
        m_window.PostMessage(WM_LBUTTONUP, keys, at);
    }
    PumpMessages();
}

void TestPage::ClickText(HELEMENT he, WPARAM keys) { Click(TextPoint(he), keys, false); }

void TestPage::ClickBox(HELEMENT he, WPARAM keys) {
    Click(Middle(htmlayout::dom::element(he).location(VIEW_RELATIVE | BORDER_BOX)), keys, false);
}

void TestPage::DoubleClickText(HELEMENT he) { Click(TextPoint(he), 0, true); }

HELEMENT TestPage::TargetAtText(HELEMENT he) {
    HELEMENT target = nullptr;
    HTMLayoutFindElement(m_window.m_hWnd, TextPoint(he), &target);
    return target;
}

void TestPage::Key(UINT key, bool ctrl, bool shift) {
    HoldModifiers(ctrl, shift);
    m_window.PostMessage(WM_KEYDOWN, key, 1);
    m_window.PostMessage(WM_KEYUP, key, 0xC0000001);
    PumpMessages();
    HoldModifiers(false, false);
}
