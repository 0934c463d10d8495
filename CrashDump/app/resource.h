// Resource ids of the crash-report sender.
#pragma once

#define IDD_QUILLPOST_DIALOG 102
#define IDR_MAINFRAME        128
#define IDC_LIST_FILES       1001
