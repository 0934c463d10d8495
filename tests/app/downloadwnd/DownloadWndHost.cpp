#include "DownloadWndHost.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"

namespace {

constexpr int kRecordingControlId = 100;
const RECT kFrame = {640, 300, 1440, 860};
const RECT kClient = {0, 0, 800, 560};

BOOL WINAPI RecordExit(UINT flags, DWORD) {
    DownloadWndHost::Answers().exits.push_back(flags);
    return TRUE;
}

HINSTANCE WINAPI RecordShell(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show) {
    DownloadWndHost::Answers().shellCalls.push_back({verb, file, parameters, show});
    return (HINSTANCE)42;
}

DELETE_CHOICE AnswerDelete(CWnd*, bool offerFileDeletion) {
    SystemAnswers& answers = DownloadWndHost::Answers();
    answers.confirmations.push_back(offerFileDeletion);
    if (answers.choices.empty()) return {true, offerFileDeletion};
    DELETE_CHOICE choice = answers.choices.front();
    answers.choices.pop_front();
    return choice;
}

// No test of this program ever reaches the system's shut-down or shell.
const bool g_systemAnswered = [] {
    DownloadWndSystem() = {&RecordExit, &RecordShell, &AnswerDelete};
    return true;
}();

BOOL CALLBACK KeepPopup(HWND window, LPARAM out) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

std::function<void(HWND)> g_onMenu;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &KeepPopup, (LPARAM)&popup);
    if (g_onMenu) g_onMenu(popup);
    g_onMenu = nullptr;
}

}  // namespace

CRecordingControl& CRecordingControl::Get() {
    static CRecordingControl* control = [] {
        auto* made = new CRecordingControl;
        CAppFacade::GetInstance().RegisterControl(kRecordingControlId, made);
        return made;
    }();
    return *control;
}

int CRecordingControl::Execute(int code, void* data) {
    BROADCAST record{code, 0, 0, CString(), data == nullptr};
    if (data) switch (code) {
            case CMD_PAUSE_DOWNLOAD:
            case CMD_START_DOWNLOAD:
            case CMD_DOWNLOAD_COMPLETE:
            case CMD_DOWNLOAD_FAILED:
            case CMD_DOWNLOAD_STARTED: {
                auto* item = static_cast<DOWNLOAD_LIST_ITEM*>(data);
                record.FileID = item->Task.FileID;
                record.State = item->State;
                record.Text = item->Task.FilePath;
                break;
            }
            case CMD_DOWNLOAD_STOPPED: {
                auto* key = static_cast<DOWNLOAD_JOB_KEY*>(data);
                record.FileID = key->FileID;
                record.Text = key->UserName;
                break;
            }
            case CMD_DELETE_DOWNLOADS:
                for (const DOWNLOAD_LIST_ITEM& item : *static_cast<std::vector<DOWNLOAD_LIST_ITEM>*>(data))
                    record.Text += IntToCString(item.Task.FileID) + L" ";
                break;
            case CMD_PLAY_FILE:
            case CMD_GET_FILE_TITLE:
                record.Text = *static_cast<CString*>(data);
                break;
        }
    seen.push_back(record);
    if (forward) return forward->Execute(code, data);
    // Without the download control the title is the file's name without its extension.
    if (code == CMD_GET_FILE_TITLE && data) *static_cast<CString*>(data) = GetFileTitleFromPath(record.Text);
    return 0;
}

std::vector<BROADCAST> CRecordingControl::Of(int code) const {
    std::vector<BROADCAST> found;
    for (const BROADCAST& b : seen)
        if (b.Code == code) found.push_back(b);
    return found;
}

int CRecordingControl::EndCount() const {
    return (int)(Of(CMD_DOWNLOAD_COMPLETE).size() + Of(CMD_DOWNLOAD_FAILED).size() + Of(CMD_DOWNLOAD_STOPPED).size());
}

SystemAnswers& DownloadWndHost::Answers() {
    static SystemAnswers answers;
    return answers;
}

DownloadWndHost::GdiplusRun::GdiplusRun() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

DownloadWndHost::GdiplusRun::~GdiplusRun() { Gdiplus::GdiplusShutdown(token); }

namespace {
class CPlainCtrlManager : public CBaseSkinWndCtrlManager {
public:
    using CBaseSkinWndCtrlManager::CBaseSkinWndCtrlManager;
    void InitElements() override {}
};
}  // namespace

void CHostedDownloadWnd::CreateCtrlManager() {
    if (m_withManager)
        CDownloadWnd::CreateCtrlManager();
    else
        m_pCtrlManager = new CPlainCtrlManager(this);
}

DownloadWndHost::DownloadWndHost(bool withManager) : m_window(withManager) {
    EXPECT_TRUE(g_systemAnswered);
    Answers() = SystemAnswers();
    CRecordingControl::Get().seen.clear();
    m_skin.GetSkinManager().LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml");
    m_window.SetViewKind(2);
}

DownloadWndHost::~DownloadWndHost() {
    m_window.DestroyWindow();
    m_frame.DestroyWindow();
    CRecordingControl::Get().forward = nullptr;
}

bool DownloadWndHost::Open() {
    if (!m_frame.CreateEx(WS_EX_TOPMOST, nullptr, L"download page", WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0))
        return false;
    if (!m_window.Create(nullptr, nullptr, WS_VISIBLE | WS_CHILD, kClient, &m_frame, 4)) return false;
    HTMLayoutUpdateWindow(m_window.m_hWnd);
    Pump();
    return m_window.GetCtrlManager() && m_window.GetCtrlManager()->GetElementById(L"downloading_list").is_valid();
}

htmlayout::dom::element DownloadWndHost::Find(LPCWSTR id) { return Manager().GetElementById(id); }

htmlayout::dom::element DownloadWndHost::Row(int fileId) { return Find(IntToCString(fileId)); }

htmlayout::dom::element DownloadWndHost::Cell(int fileId, LPCWSTR id) {
    htmlayout::dom::element row = Row(fileId);
    return row.is_valid() ? htmlayout::dom::element(row.find_by_id(id)) : htmlayout::dom::element();
}

CString DownloadWndHost::Text(int fileId, LPCWSTR id) { return Cell(fileId, id).inner_text().c_str(); }

std::string DownloadWndHost::RowHtml(int fileId) {
    htmlayout::shared_utf8 html = Row(fileId).get_outer_html();
    return std::string((const char*)html.c_str(), (size_t)html.length());
}

bool DownloadWndHost::IsDisabled(LPCWSTR id) { return htmlayout::dom::has_state(Find(id), STATE_DISABLED); }

POINT DownloadWndHost::Middle(HELEMENT he) {
    RECT r = htmlayout::dom::element(he).location(VIEW_RELATIVE | BORDER_BOX);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void DownloadWndHost::Post(UINT message, WPARAM keys, POINT at) {
    m_window.PostMessage(message, keys, MAKELPARAM(at.x, at.y));
}

void DownloadWndHost::Click(HELEMENT he) {
    POINT at = Middle(he);
    Post(WM_MOUSEMOVE, 0, at);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(WM_LBUTTONUP, 0, at);
    Pump();
}

void DownloadWndHost::DoubleClick(HELEMENT he) {
    POINT at = Middle(he);
    Post(WM_MOUSEMOVE, 0, at);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(WM_LBUTTONUP, 0, at);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Post(WM_LBUTTONUP, 0, at);
    Pump();
}

void DownloadWndHost::RightClick(HELEMENT he, std::function<void(HWND popup)> onMenu) {
    POINT at = Middle(he);
    g_onMenu = std::move(onMenu);
    SetTimer(nullptr, 0, 300, &LookAtMenu);
    Post(WM_MOUSEMOVE, 0, at);
    Post(WM_RBUTTONDOWN, MK_RBUTTON, at);
    Post(WM_RBUTTONUP, 0, at);
    Pump(600);
}

void DownloadWndHost::Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool DownloadWndHost::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(5);
    }
}

bool DownloadWndHost::SaveShot(LPCWSTR name) {
    CString folder = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(folder, nullptr);
    HTMLayoutUpdateWindow(m_window.m_hWnd);
    Pump(100);
    return WindowCapture(m_frame.m_hWnd).SavePng(folder + name);
}

DOWNLOAD_LIST_ITEM TaskItem(int fileId, int state, LONGLONG size, LONGLONG done, const CString& path) {
    DOWNLOAD_TASK_INFO task;
    task.FileID = fileId;
    task.FileSize = size;
    task.DownSize = done;
    task.FilePath = path.IsEmpty() ? L"C:\\Downloads\\第" + IntToCString(fileId) + L"集.xof" : path;
    task.DownloadUrl = L"http://127.0.0.1/v" + IntToCString(fileId);
    return DOWNLOAD_LIST_ITEM(state, task);
}
