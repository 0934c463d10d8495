// The web control: once the main window stands, a one-shot thread fetches the two
// catalogue lists and posts their items to it.
#pragma once

#include <windows.h>

#include "facade/BaseControl.h"

class CWebControl : public CBaseControl {
public:
    using CBaseControl::CBaseControl;

    // Handles CMD_MAIN_WINDOW_CREATED only.
    int Execute(int code, void* data) override;

private:
    void StartCatalogueThread();
    // Posts the recent uploads (WM_RECENT_UPLOAD_ITEM), then the categories
    // (WM_VIDEO_CATEGORY_ITEM), to the window handle it is given.
    static DWORD WINAPI CatalogueThreadProc(LPVOID mainWindow);
};
