#include "dialog/DialogSteps.h"

#include "ControlHost.h"
#include "DialogDriver.h"

WindowCapture KeepScreenshot(CWnd& window, const wchar_t* name) {
    window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    WindowCapture shot(window.m_hWnd);
    shot.SavePng(ArtifactsFolder() + name + L".png");
    return shot;
}

CRect ControlRect(CWnd& dialog, int id) {
    CRect place;
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, id), &place);
    dialog.ScreenToClient(&place);
    return place;
}

std::wstring OpenBoxText(CWnd& dialog) {
    HWND box = CDialogDriver::FindOwnedDialog(dialog.m_hWnd);
    if (!box) return L"";
    wchar_t caption[128] = {};
    ::GetWindowTextW(box, caption, 128);
    return std::wstring(caption) + L"|" + CDialogDriver::BoxText(box).GetString();
}

bool AnswerOpenBox(CWnd& dialog, int button) {
    HWND box = CDialogDriver::FindOwnedDialog(dialog.m_hWnd);
    if (box) CDialogDriver::Answer(box, button);
    return box != nullptr;
}
