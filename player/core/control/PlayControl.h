// The play control: opening, playing, stepping through and closing files, mute and
// the play order, on the main window, its play dialog and the facade's play list.
#pragma once

#include <afx.h>

#include "facade/BaseControl.h"

class IMainWindowView;

class CPlayControl : public CBaseControl {
public:
    CPlayControl(IMainWindowView* main, CPlayerCore* core);

    // Handles CMD_OPEN_FILE, CMD_CLOSE_FILE, CMD_PLAY_PAUSE, CMD_STOP, CMD_TOGGLE_MUTE,
    // CMD_PLAY_FILE, CMD_CLEAR_PLAY_LIST, CMD_PLAY_PREV, CMD_PLAY_NEXT,
    // CMD_OPEN_FROM_OTHER_INSTANCE and CMD_SET_PLAY_ORDER; ignores every other code.
    int Execute(int code, void* data) override;

private:
    IMainWindowView* MainWindow() const { return m_pMain; }
    // True when the file plays.
    bool PlayFile(const CString& path, bool fromOtherInstance);
    // Makes the failed file current and steps on, at most once per guard time.
    void SkipFailedFile(const CString& path);
    void PlayNext(const bool* applyOrder);
    void PlayPrev();
    void OpenFiles();
    void Stop();
    void SetPlayOrder(int order);
    void ResumeSavedPosition(const CString& path);

    IMainWindowView* m_pMain;     // not owned
    DWORD m_lastGuardedNext = 0;  // tick of the last accepted guarded "next"
};
