// The settings that the download engine reads, as a test arranges them.
#pragma once

#include <afx.h>

struct FakeDownloadSettings {
    int DownloadNum = 5;
    int RelinkTimes = 5;
    CString CurrentUser = L"default";

    // Back to the defaults above.
    static FakeDownloadSettings& Reset();
    static FakeDownloadSettings& Current();
};
