// The main HTML window inside the main dialog.
#pragma once

#include <afxwin.h>

#include "views/MainWindowView.h"

class CMainWnd : public CWnd, public IMainWindowView {};
