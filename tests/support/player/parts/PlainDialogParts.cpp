#include "PlainDialogParts.h"

namespace {
bool CreatePlain(CWnd& window, CWnd* parent, const RECT& rect, bool visible) {
    return window.Create(L"STATIC", nullptr, WS_CHILD | (visible ? WS_VISIBLE : 0), rect, parent, 0) != FALSE;
}
}  // namespace

bool CPlainDialogParts::CreateChildren(CWnd* dialog, const RECT& client) {
    m_dialog = dialog;
    m_width = client.right - client.left;
    m_height = client.bottom - client.top;
    CreatePlain(m_panels[PANEL_BROWSER], dialog, RECT{}, false);
    if (m_failCreate) return false;
    return CreatePlain(m_mainWnd, dialog, client, true);
}

void CPlainDialogParts::CreatePanels(CWnd* dialog) {
    CreatePlain(m_panels[PANEL_LEFT], dialog, RECT{}, true);
    CreatePlain(m_panels[PANEL_SEEK_BAR], dialog, RECT{}, true);
    CreatePlain(m_panels[PANEL_SCROLLING_STRIP], dialog, RECT{}, true);
}

CWnd* CPlainDialogParts::GetPanel(DIALOG_PANEL panel) { return m_panels[panel].m_hWnd ? &m_panels[panel] : nullptr; }

void CPlainDialogParts::LayoutForWidth(int width) {
    RECT client = {};
    if (m_dialog) m_dialog->GetClientRect(&client);
    m_width = width;
    m_height = client.bottom - client.top;
    calls.push_back("LayoutForWidth " + std::to_string(width));
}
