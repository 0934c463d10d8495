// The download window inside the play dialog.
#pragma once

#include <afxwin.h>

class CDownloadWnd : public CWnd {};
