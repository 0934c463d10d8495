#include "fakes/FakeDownloadSettings.h"

#include "download/DownloadSettings.h"

FakeDownloadSettings& FakeDownloadSettings::Current() {
    static FakeDownloadSettings settings;
    return settings;
}

FakeDownloadSettings& FakeDownloadSettings::Reset() { return Current() = FakeDownloadSettings(); }

int GetDownloadNumSetting() { return FakeDownloadSettings::Current().DownloadNum; }
int GetRelinkTimesSetting() { return FakeDownloadSettings::Current().RelinkTimes; }
CString GetCurrentUserName() { return FakeDownloadSettings::Current().CurrentUser; }
