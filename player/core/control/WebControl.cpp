#include "control/WebControl.h"

#include <afxwin.h>

#include "common/PostOwnedMessage.h"
#include "facade/AppFacade.h"
#include "common/WindowMessages.h"
#include "facade/CommandCodes.h"
#include "views/MainWindowView.h"
#include "web/CatalogueLists.h"

int CWebControl::Execute(int code, void*) {
    if (code == CMD_MAIN_WINDOW_CREATED) StartCatalogueThread();
    return 0;
}

void CWebControl::StartCatalogueThread() {
    // The thread gets the window's handle, never the window object, which may be gone
    // before the thread posts.
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    HWND window = main ? main->AsWindow()->GetSafeHwnd() : nullptr;
    if (!window) return;
    HANDLE thread = CreateThread(nullptr, 0, CatalogueThreadProc, window, 0, nullptr);
    if (thread) CloseHandle(thread);
}

DWORD WINAPI CWebControl::CatalogueThreadProc(LPVOID mainWindow) {
    HWND window = (HWND)mainWindow;
    if (std::unique_ptr<WebInfoList> recent = CRecentUploadListManager().Fetch()) {
        for (std::unique_ptr<BASE_WEB_INFO>& item : *recent)
            if (dynamic_cast<WEB_INFO_NEWESE_VIDEO*>(item.get()))
                PostOwnedMessage(window, WM_RECENT_UPLOAD_ITEM, std::move(item));
    }
    if (std::unique_ptr<WebInfoList> categories = CVideoListManager().Fetch()) {
        for (std::unique_ptr<BASE_WEB_INFO>& item : *categories)
            PostOwnedMessage(window, WM_VIDEO_CATEGORY_ITEM, std::move(item));
    }
    return 1;
}
