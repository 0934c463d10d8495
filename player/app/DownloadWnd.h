// The download window inside the play dialog.
#pragma once

#include <afxwin.h>

#include "views/DownloadListView.h"

class CDownloadWnd : public CWnd, public IDownloadListView {};
