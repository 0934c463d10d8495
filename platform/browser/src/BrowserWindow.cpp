#include "BrowserWindow.h"

#include <shlwapi.h>

#include "PageElements.h"
#include "PageFetcher.h"
#include "UrlResolve.h"

namespace {

constexpr wchar_t kClassName[] = L"ZemoBrowserWindow";
constexpr UINT WM_BROWSER_NAVIGATE = WM_USER + 1;
constexpr char kErrorPage[] =
    "\xEF\xBB\xBF<html><body style=\"padding: 20px; font-size: 14px\"><p>无法显示该页面。</p></body></html>";

enum ContextCommand : UINT { CMD_BACK = 1, CMD_FORWARD, CMD_REFRESH };

bool IsLocalFile(const std::wstring& url) {
    return _wcsnicmp(url.c_str(), L"file:", 5) == 0 || IsLocalPath(std::u16string(url.begin(), url.end()));
}

std::wstring LocalPath(const std::wstring& url) {
    if (_wcsnicmp(url.c_str(), L"file:", 5) != 0) return url;
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return SUCCEEDED(PathCreateFromUrlW(url.c_str(), path, &size, 0)) ? path : url;
}

// "res://<module>/<id>": an HTML resource of the module (the program when the module is
// not loaded), by number or by name.
bool IsResourceUrl(const std::wstring& url) { return _wcsnicmp(url.c_str(), L"res://", 6) == 0; }

bool ReadHtmlResource(const std::wstring& url, std::string& html) {
    size_t slash = url.rfind(L'/');
    if (slash < 6 || slash + 1 >= url.size()) return false;
    std::wstring module = url.substr(6, slash - 6), name = url.substr(slash + 1);
    HMODULE handle = module.empty() ? nullptr : GetModuleHandleW(module.c_str());
    if (!handle) handle = GetModuleHandleW(nullptr);
    bool number = name.find_first_not_of(L"0123456789") == std::wstring::npos;
    LPCWSTR id = number ? MAKEINTRESOURCEW(_wtoi(name.c_str())) : name.c_str();
    HRSRC resource = FindResourceW(handle, id, RT_HTML);
    HGLOBAL data = resource ? LoadResource(handle, resource) : nullptr;
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!bytes) return false;
    html.assign(bytes, SizeofResource(handle, resource));
    return true;
}

// A scratch file of its own for each browser, removed with it.
std::wstring NewPageFile() {
    wchar_t folder[MAX_PATH] = {}, file[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"zbp", 0, file)) return std::wstring();
    return file;
}

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc = {sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

class PopupMenu {
public:
    PopupMenu() : m_menu(CreatePopupMenu()) {}
    ~PopupMenu() {
        if (m_menu) DestroyMenu(m_menu);
    }
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    void Add(UINT id, const wchar_t* text, bool enabled) {
        AppendMenuW(m_menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text);
    }
    UINT Track(HWND owner, POINT screen) {
        return (UINT)TrackPopupMenu(m_menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
    }

private:
    HMENU m_menu;
};

}  // namespace

CBrowserWindow::CBrowserWindow() : m_alive(std::make_shared<bool>(true)) {}

CBrowserWindow::~CBrowserWindow() {
    *m_alive = false;
    if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    if (!m_pageFile.empty()) DeleteFileW(m_pageFile.c_str());
}

bool CBrowserWindow::Create(HWND parent, const RECT& rect, UINT id, IBrowserEvents* events) {
    if (m_hwnd || !RegisterWindowClass()) return false;
    m_events = events;
    m_fetcher = std::make_unique<CPageFetcher>();
    m_pageFile = NewPageFile();
    m_hwnd = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent, (HMENU)(UINT_PTR)id,
                             GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd) return false;
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, (LONG_PTR)this);
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, (LONG_PTR)&CBrowserWindow::WindowProc);
    HTMLayoutWindowAttachEventHandler(m_hwnd, &CBrowserWindow::PageEvents, this, HANDLE_MOUSE | HANDLE_BEHAVIOR_EVENT);
    return true;
}

LRESULT CALLBACK CBrowserWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CBrowserWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    BOOL handled = FALSE;
    LRESULT result = HTMLayoutProcND(hwnd, msg, wParam, lParam, &handled);
    if (handled) return result;
    if (self) return self->Handle(msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CBrowserWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_BROWSER_NAVIGATE:
            RunQueued();
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
            return 0;
        case WM_NCDESTROY: {
            HWND hwnd = m_hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            m_hwnd = nullptr;
            m_queue.clear();
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

BOOL CALLBACK CBrowserWindow::PageEvents(LPVOID tag, HELEMENT he, UINT group, LPVOID params) {
    auto* self = static_cast<CBrowserWindow*>(tag);
    if (group == HANDLE_MOUSE) return self->OnMouse(*static_cast<MOUSE_PARAMS*>(params));
    if (group == HANDLE_BEHAVIOR_EVENT) return self->OnBehavior(*static_cast<BEHAVIOR_EVENT_PARAMS*>(params));
    return FALSE;
}

// A link navigates when the main button goes down and up on it.
bool CBrowserWindow::OnMouse(const MOUSE_PARAMS& mouse) {
    if ((mouse.cmd & SINKING) || mouse.button_state != MAIN_MOUSE_BUTTON) return false;
    UINT cmd = mouse.cmd & ~HANDLED;
    if (cmd == MOUSE_DOWN) {
        m_pressedLink = LinkOf(mouse.target);
    } else if (cmd == MOUSE_UP) {
        HELEMENT link = LinkOf(mouse.target);
        bool same = link && link == m_pressedLink;
        m_pressedLink = nullptr;
        if (same) {
            Request request;
            request.Url = ResolveUrl(GetLocationURL(), AttributeOf(link, "href"));
            request.TargetFrame = AttributeOf(link, "target");
            Queue(std::move(request));
        }
    }
    return false;
}

bool CBrowserWindow::OnBehavior(const BEHAVIOR_EVENT_PARAMS& event) {
    if ((event.cmd & ~HANDLED) != BUTTON_CLICK) return false;
    HELEMENT form = SubmittedForm(event.heTarget);
    if (!form) return false;
    FORM_SUBMISSION submission = SubmitForm(form, GetLocationURL());
    Request request;
    request.Url = submission.Url;
    request.Headers = submission.Headers;
    request.PostData = std::move(submission.PostData);
    request.Post = submission.Post;
    Queue(std::move(request));
    return false;
}

void CBrowserWindow::Navigate(const std::wstring& url, DWORD flags, const std::wstring& targetFrame,
                              const std::wstring& headers, const std::vector<BYTE>& postData) {
    Request request;
    request.Url = url;
    request.Flags = flags;
    request.TargetFrame = targetFrame;
    request.Headers = headers;
    request.PostData = postData;
    request.Post = !postData.empty();
    Queue(std::move(request));
}

bool CBrowserWindow::GoBack() {
    if (!CanGoBack()) return false;
    Request request;
    request.HistoryIndex = m_current - 1;
    request.Url = m_history[request.HistoryIndex];
    Queue(std::move(request));
    return true;
}

bool CBrowserWindow::GoForward() {
    if (!CanGoForward()) return false;
    Request request;
    request.HistoryIndex = m_current + 1;
    request.Url = m_history[request.HistoryIndex];
    Queue(std::move(request));
    return true;
}

bool CBrowserWindow::Refresh() {
    // Not from inside a navigation being handled (a host's modal loop): it would load under it.
    if (m_current < 0 || !m_hwnd || m_running) return false;
    Request request;
    request.Url = m_history[m_current];
    Load(request, LoadKind::Reload);
    return true;
}

std::wstring CBrowserWindow::GetLocationURL() const { return m_current >= 0 ? m_history[m_current] : L""; }

bool CBrowserWindow::CanGoBack() const { return m_current > 0; }

bool CBrowserWindow::CanGoForward() const { return m_current >= 0 && m_current + 1 < (int)m_history.size(); }

void CBrowserWindow::Queue(Request request) {
    if (!m_hwnd) return;
    m_queue.push_back(std::move(request));
    PostMessageW(m_hwnd, WM_BROWSER_NAVIGATE, 0, 0);
}

// One message per queued navigation; one that arrives while a navigation is being
// handled (from a host's modal loop) leaves its navigation for the message after it.
void CBrowserWindow::RunQueued() {
    if (m_running || m_queue.empty()) return;
    Request request = std::move(m_queue.front());
    m_queue.pop_front();
    std::shared_ptr<bool> alive = m_alive;
    m_running = true;
    Run(request);
    if (!*alive) return;
    m_running = false;
    if (!m_queue.empty() && m_hwnd) PostMessageW(m_hwnd, WM_BROWSER_NAVIGATE, 0, 0);
}

void CBrowserWindow::Run(const Request& request) {
    std::shared_ptr<bool> alive = m_alive;
    bool cancel = false;
    if (m_events)
        m_events->BeforeNavigate2(request.Url, request.Flags, request.TargetFrame, request.PostData, request.Headers,
                                  cancel);
    if (!*alive || !m_hwnd || cancel || IsScriptUrl(request.Url)) return;
    // A back or forward step whose entry went meanwhile (a newer page cut the history) is dropped.
    if (request.HistoryIndex >= (int)m_history.size()) return;
    Load(request, request.HistoryIndex >= 0 ? LoadKind::Move : LoadKind::New);
}

void CBrowserWindow::Load(const Request& request, LoadKind kind) {
    std::wstring url = request.Url;
    if (IsResourceUrl(url)) {
        std::string html;
        ShowBody(ReadHtmlResource(url, html) ? html : kErrorPage);
    } else if (IsLocalFile(url)) {
        ShowLocalFile(LocalPath(url));
    } else {
        PAGE_REPLY reply;
        if (m_fetcher->Fetch(url, request.Headers, request.Post, request.PostData, reply)) {
            url = reply.Url;
            ShowBody(reply.Body);
        } else {
            ShowBody(kErrorPage);
        }
    }
    if (kind == LoadKind::New) {
        m_history.resize((size_t)(m_current + 1));
        m_history.push_back(url);
        m_current = (int)m_history.size() - 1;
    } else if (kind == LoadKind::Move) {
        m_current = request.HistoryIndex;
        m_history[(size_t)m_current] = url;
    }
    std::shared_ptr<bool> alive = m_alive;
    if (m_events && kind != LoadKind::Reload) {
        m_events->NavigateComplete2(url);
        if (!*alive) return;
        RaiseCommandStates();
        if (!*alive) return;
    }
    if (m_events) m_events->DocumentComplete(url);
}

void CBrowserWindow::ShowLocalFile(const std::wstring& path) {
    if (HTMLayoutLoadFile(m_hwnd, path.c_str()) != HLDOM_OK) {
        ShowBody(kErrorPage);
        return;
    }
    PreparePage();
}

void CBrowserWindow::ShowBody(const std::string& body) {
    HANDLE file =
        CreateFileW(m_pageFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    BOOL ok = WriteFile(file, body.data(), (DWORD)body.size(), &written, nullptr) && written == body.size();
    CloseHandle(file);
    if (ok && HTMLayoutLoadFile(m_hwnd, m_pageFile.c_str()) == HLDOM_OK) PreparePage();
}

void CBrowserWindow::PreparePage() {
    HELEMENT root = nullptr;
    if (HTMLayoutGetRootElement(m_hwnd, &root) == HLDOM_OK && root) PrepareControls(root);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CBrowserWindow::RaiseCommandStates() {
    std::shared_ptr<bool> alive = m_alive;
    m_events->CommandStateChange(BROWSER_COMMAND_FORWARD, CanGoForward());
    if (*alive) m_events->CommandStateChange(BROWSER_COMMAND_BACK, CanGoBack());
}

void CBrowserWindow::OnContextMenu(POINT screen) {
    if (screen.x == -1 && screen.y == -1) {
        screen = POINT{0, 0};
        ClientToScreen(m_hwnd, &screen);
    }
    POINT client = screen;
    ScreenToClient(m_hwnd, &client);
    HELEMENT target = nullptr;
    HTMLayoutFindElement(m_hwnd, client, &target);
    std::shared_ptr<bool> alive = m_alive;
    if (m_events && m_events->ShowContextMenu(screen, target)) return;
    if (!*alive || !m_hwnd) return;
    PopupMenu menu;
    menu.Add(CMD_BACK, L"后退", CanGoBack());
    menu.Add(CMD_FORWARD, L"前进", CanGoForward());
    menu.Add(CMD_REFRESH, L"刷新", m_current >= 0);
    switch (menu.Track(m_hwnd, screen)) {
        case CMD_BACK:
            GoBack();
            break;
        case CMD_FORWARD:
            GoForward();
            break;
        case CMD_REFRESH:
            Refresh();
            break;
    }
}
