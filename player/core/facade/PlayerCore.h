// The player's play state, full-screen flag and play list.
#pragma once

#include <afx.h>

#include <memory>

class CDatabaseConnection;
class CDownloadRecordSql;
class CDownloadRecordStore;
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
    // Over the database in the program folder, or the one at databasePath.
    CPlayerCore();
    explicit CPlayerCore(const CString& databasePath);
    ~CPlayerCore();
    CPlayerCore(const CPlayerCore&) = delete;
    CPlayerCore& operator=(const CPlayerCore&) = delete;

    CPlayList* GetPlayList() const { return m_pPlayList.get(); }
    // A new store over the download records; the caller owns it.
    std::unique_ptr<CDownloadRecordStore> CreateDownloadRecordStore() const;

    int PlayState = PLAY_STATE_NONE;
    bool FullScreen = false;

private:
    // The database and the tables of the play list and the download records, until
    // the data model owns them.
    std::unique_ptr<CDatabaseConnection> m_pDatabase;
    std::unique_ptr<CPlayRecordSql> m_pPlayRecordSql;
    std::unique_ptr<CPlayList> m_pPlayList;
    std::unique_ptr<CDownloadRecordSql> m_pDownloadRecordSql;
};
