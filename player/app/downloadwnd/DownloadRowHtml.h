// The cells of a row of the download lists and the state ids that its action cell
// carries as class and id: the action cell's id is the row's state.
#pragma once

#include <afx.h>

#include <string>

#include "download/DownloadRecords.h"

enum {
    DOWNLOADING_LIST = 0,  // unfinished tasks: waiting, downloading, paused
    DOWNLOADED_LIST = 1,   // finished tasks
};

// "waiting", "start", "pause", "play"; state 0 (a newly built row) reads as "waiting",
// other states as "".
LPCWSTR StateIdOf(int state);
// The status text a change to the state writes.
LPCWSTR StateChangeText(int state);
// done / total in percent, rounded half up; 0 for a total of 0 or less.
int ProgressPercent(LONGLONG done, LONGLONG total);
// The text with &, <, > and " written as character references.
CString EscapeHtml(const CString& text);
// "%I64dMB" of whole mebibytes.
CString SizeText(LONGLONG bytes);
// The row's cells in UTF-8: name, size and action for a finished task; name, size,
// progress, speed, status and action for the others.
std::string BuildRowCells(const DOWNLOAD_LIST_ITEM& item);
// The header row of a list, in UTF-8.
std::string ListHeaderHtml(int list);
