#include "window/BaseWnd.h"

#include "common/CommonHelpers.h"
#include "ctrl/BaseCtrlManager.h"
#include "htmlayout/behavior.h"
#include "htmlayout/dom.h"
#include "skin/SkinManager.h"

namespace {

const UINT TEMPLATE_HEAD = 3;  // bytes kept as the template has them (a byte-order mark)
const UINT CHUNK_SIZE = 4096;

// The template's text after its head, each chunk up to its first zero byte.
CStringA ReadPageText(CFile& file) {
    CStringA text;
    file.Seek(TEMPLATE_HEAD, CFile::begin);
    char chunk[CHUNK_SIZE + 1];
    for (;;) {
        memset(chunk, 0, sizeof(chunk));
        UINT read = file.Read(chunk, CHUNK_SIZE);
        if (read == 0) break;
        text += chunk;
    }
    return text;
}

}  // namespace

IMPLEMENT_DYNAMIC(CBaseWnd, CWnd)

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CBaseWnd::CBaseWnd() : htmlayout::event_handler(HANDLE_ALL) {}

CBaseWnd::~CBaseWnd() {
    delete m_pCtrlManager;
    m_pCtrlManager = nullptr;
    if (!m_strPagePath.IsEmpty()) DeleteFileW(m_strPagePath);
    DestroyWindow();
}

LRESULT CBaseWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    BOOL handled = FALSE;
    LRESULT result = HTMLayoutProcND(m_hWnd, message, wParam, lParam, &handled);
    if (handled) return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

int CBaseWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    CreateCtrlManager();
    return 0;
}

CString CBaseWnd::PrepareSkinTemplate(const CString& templatePath, CBaseWnd* window, PAGE_HOOK hook) {
    if (!window || !window->m_pCtrlManager) return CString();
    int dot = templatePath.ReverseFind(L'.');
    if (dot < 0) return CString();
    CString copyPath = templatePath.Left(dot) + L"ForLoad" + templatePath.Mid(dot);
    if (!CopyFileW(templatePath, copyPath, FALSE)) return CString();

    CFile file;
    if (!file.Open(copyPath, CFile::modeReadWrite)) return CString();
    CStringA text = ReadPageText(file);
    if (hook)
        hook(text);
    else
        ReplaceSkinPlaceholders(window->m_pCtrlManager, text);

    // A template shorter than its head is not padded out.
    file.SetLength(std::min<ULONGLONG>(TEMPLATE_HEAD, file.GetLength()));
    file.SeekToEnd();
    file.Write(text.GetString(), (UINT)text.GetLength());
    file.Close();
    return copyPath;
}

bool CBaseWnd::LoadSkinPage(LPCTSTR templateName, PAGE_HOOK hook) {
    HTMLayoutSetCallback(m_hWnd, &CBaseWnd::HtmlNotifyCallback, this);
    HTMLayoutWindowAttachEventHandler(m_hWnd, &htmlayout::event_handler::element_proc,
                                      static_cast<htmlayout::event_handler*>(this), HANDLE_ALL);
    m_strPagePath = PrepareSkinTemplate(GetProgramFolder() + templateName, this, hook);
    if (m_strPagePath.IsEmpty()) return false;
    HTMLayoutLoadFile(m_hWnd, m_strPagePath);
    return true;
}

LRESULT CALLBACK CBaseWnd::HtmlNotifyCallback(UINT, WPARAM, LPARAM lParam, LPVOID) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != HLN_ATTACH_BEHAVIOR) return 0;
    auto* record = reinterpret_cast<NMHL_ATTACH_BEHAVIOR*>(lParam);
    htmlayout::event_handler* handler = htmlayout::behavior::find(record->behaviorName, record->element);
    if (handler) {
        record->elementProc = &htmlayout::event_handler::element_proc;
        record->elementTag = handler;
        record->elementEvents = handler->subscribed_to;
    }
    return 0;
}

BOOL CBaseWnd::handle_mouse(HELEMENT, MOUSE_PARAMS& params) {
    UINT command = params.cmd & ~HANDLED;
    if (!m_pCtrlManager || (command & SINKING)) return FALSE;
    htmlayout::dom::element target(params.target);
    switch (command) {
        case MOUSE_UP:
            if (params.button_state == MAIN_MOUSE_BUTTON) return m_pCtrlManager->OnMouseUp(target);
            if (params.button_state == PROP_MOUSE_BUTTON) return m_pCtrlManager->OnRightMouseUp(target);
            return FALSE;
        case MOUSE_DOWN:
            return params.button_state == MAIN_MOUSE_BUTTON && m_pCtrlManager->OnMouseDown(target);
        case DROP:
            return m_pCtrlManager->OnDrop(target, target.index_in_parent());
        default:
            return FALSE;
    }
}

BOOL CBaseWnd::on_event(HELEMENT, HELEMENT target, UINT eventCode, UINT_PTR) {
    if (!m_pCtrlManager) return FALSE;
    htmlayout::dom::element source(target);
    CString id = source.get_attribute("id");
    switch (eventCode) {
        case BUTTON_CLICK:
            return m_pCtrlManager->OnButtonClick(id);
        case BUTTON_STATE_CHANGED:
            return m_pCtrlManager->OnButtonStateChanged(id);
        case MENU_ITEM_CLICK:
            return m_pCtrlManager->OnMenuItemClick(id);
        case CONTEXT_MENU_SETUP:
            m_pCtrlManager->SetCurrentElement(source);
            return TRUE;
        case TABLE_ROW_DBL_CLICK:
            m_pCtrlManager->OnRowDoubleClick(source);
            return TRUE;
        default:
            return FALSE;
    }
}
