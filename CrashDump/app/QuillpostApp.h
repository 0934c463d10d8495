// CQuillpostApp: the crash-report sender's application object; it runs the sender's
// dialog as its main window, and the program ends with it.
#pragma once

#include <afxapp.h>

class CQuillpostApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
