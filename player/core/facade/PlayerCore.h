// The player's play state, full-screen flag and play list.
#pragma once

#include <memory>

class CDatabaseConnection;
class CPlayList;
class CPlayRecordSql;

enum {
    PLAY_STATE_NONE = 0,
    PLAY_STATE_STOPPED = 1,
    PLAY_STATE_PAUSED = 2,
    PLAY_STATE_PLAYING = 3,
};

class CPlayerCore {
public:
    CPlayerCore();
    ~CPlayerCore();
    CPlayerCore(const CPlayerCore&) = delete;
    CPlayerCore& operator=(const CPlayerCore&) = delete;

    CPlayList* GetPlayList() const { return m_pPlayList.get(); }

    int PlayState = PLAY_STATE_NONE;
    bool FullScreen = false;

private:
    // The database and the play list's table, until the data model owns them.
    std::unique_ptr<CDatabaseConnection> m_pDatabase;
    std::unique_ptr<CPlayRecordSql> m_pPlayRecordSql;
    std::unique_ptr<CPlayList> m_pPlayList;
};
