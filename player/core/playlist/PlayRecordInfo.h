// One play-list item, one row of UserPlayRecord.
#pragma once

#include <afx.h>

struct PLAY_RECORD_INFO {
    CString FilePath;      // the item's key, compared without regard to case
    __int64 AddTime = 0;   // seconds since 1970, UTC
    __int64 PlayTime = 0;  // last start of play; 0 = never
    int Consuming = 0;     // resume position in seconds; 0 = from the start
};
