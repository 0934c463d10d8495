// The playback dialog inside the main window.
#pragma once

#include <afxwin.h>

#include "views/PlayDialogView.h"

class CDlgPlay : public CDialog, public IPlayDialogView {};
