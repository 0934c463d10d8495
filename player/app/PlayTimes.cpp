#include "PlayTimes.h"

#include <cmath>
#include <vector>

#include "common/CommonHelpers.h"

CString FormatMediaTime(LONGLONG units) {
    LONGLONG seconds = units / 10000000;
    CString text;
    text.Format(L"%02d:%02d:%02d", (int)(seconds / 3600), (int)(seconds / 60 % 60), (int)(seconds % 60));
    return text;
}

int TimeTextToSeconds(const CString& text) {
    if (text.IsEmpty()) return -1;
    // Split by hand: empty parts count, as in "1::2".
    std::vector<CString> parts(1);
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == L':')
            parts.emplace_back();
        else
            parts.back() += text[i];
    }
    if (parts.size() != 3) return -1;
    return CStringToInt(parts[0]) * 3600 + CStringToInt(parts[1]) * 60 + CStringToInt(parts[2]);
}

long VolumeToLevel(int volume) {
    if (volume <= 0) return -10000;
    long level = (long)((std::log10((double)volume) - 2) * 5000);
    if (level > 0) level = 0;
    if (level < -10000) level = -10000;
    return level;
}
