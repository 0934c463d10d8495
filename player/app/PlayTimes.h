// Play-time texts and the audio level of a volume, as the play dialog shows and sets them.
#pragma once

#include <afx.h>

// "%02d:%02d:%02d" of a time in 100 ns units.
CString FormatMediaTime(LONGLONG units);
// Seconds of an "hh:mm:ss" text; -1 for an empty text or one without exactly three parts.
int TimeTextToSeconds(const CString& text);
// The audio level (hundredths of a decibel, -10000..0) of a volume 0..100; 0 and below
// give the lowest level.
long VolumeToLevel(int volume);
