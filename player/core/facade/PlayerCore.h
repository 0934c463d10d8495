// The player's play state and full-screen flag.
#pragma once

enum {
    PLAY_STATE_NONE = 0,
    PLAY_STATE_STOPPED = 1,
    PLAY_STATE_PAUSED = 2,
    PLAY_STATE_PLAYING = 3,
};

class CPlayerCore {
public:
    CPlayerCore() = default;
    CPlayerCore(const CPlayerCore&) = delete;
    CPlayerCore& operator=(const CPlayerCore&) = delete;

    int PlayState = PLAY_STATE_NONE;
    bool FullScreen = false;
};
