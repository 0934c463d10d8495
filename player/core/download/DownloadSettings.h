// The settings that the download engine reads: the user's download settings and the
// current user. Called on the user-interface thread.
#pragma once

#include <afx.h>

// How many jobs may run at once.
int GetDownloadNumSetting();
// How many attempts a job gets when it keeps failing to connect.
int GetRelinkTimesSetting();
// The user whose downloads are shown; a new job runs under this name.
CString GetCurrentUserName();
