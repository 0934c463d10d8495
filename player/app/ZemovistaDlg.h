// The application's main dialog; it registers itself with the facade once created and
// hands its window to the window settings as their placement window.
#pragma once

#include <afxwin.h>

#include "views/MainDialogView.h"

class CZemovistaDlg : public CDialog, public IMainDialogView {};
