// Posting the download messages (WM_DOWNLOAD_...) with their heap payloads.
#pragma once

#include <windows.h>

#include <memory>

#include "download/DownloadRecords.h"

// The payloads belong to the receiving window once the post succeeds; when it fails
// (the window is gone) they are freed here.
void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key,
                    std::unique_ptr<DOWNLOAD_ERROR_INFO> error);
void PostJobMessage(HWND window, UINT message, std::unique_ptr<DOWNLOAD_JOB_KEY> key, LPARAM value);

// A size as a message value; sizes from 2 GiB on read as 0x7FFFFFFF there (the
// progress key carries them in full).
LPARAM SizeToMessageValue(LONGLONG size);
