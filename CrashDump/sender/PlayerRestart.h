// Restarts the crashed player once the crashed process has gone: a player started while
// it still runs would hand over to it through the single-instance pipe and end.
//
//   CPlayerRestart restart(files.playerPath);   // the dialog polls it on a timer
//   if (restart.Poll()) KillTimer(...);
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ScopedHandle.h"

class CPlayerRestart {
public:
    static constexpr DWORD WAIT_LIMIT_MS = 15000;

    // Looks for running processes of the program at playerPath (other than this one).
    explicit CPlayerRestart(std::string playerPath);

    // Never waits: starts the player once those processes have ended (or the wait
    // limit has passed); true from then on.
    bool Poll();

private:
    std::string m_path;
    std::vector<CScopedHandle> m_running;
    DWORD m_begin;
    bool m_started = false;
};
