// The catalogue's multi-download form, posted by the player itself: the reply's album
// becomes download jobs for the download control.
#pragma once

#include <afx.h>

#include <vector>

// Posts the rewritten body to the form's address (blocking, with the view as progress
// window) and broadcasts CMD_ADD_DOWNLOADS with the album's files; the session keys of
// the current account go into the download addresses. False, with nothing broadcast,
// when the post fails or the reply holds no file.
bool PostMultiDownload(HWND progressWindow, const CString& url, const std::vector<BYTE>& postData);
