// The player's play state, full-screen flag, play list and data model.
#pragma once

#include <afx.h>

#include <memory>

class CDataModel;
class CDownloadRecordStore;
class CPlayList;

enum {
    PLAY_STATE_NONE = 0,
    PLAY_STATE_STOPPED = 1,
    PLAY_STATE_PAUSED = 2,
    PLAY_STATE_PLAYING = 3,
};

// Seek positions and the time and seek sliders run from 0 to the scale; the scale
// itself is the end of the file.
const int PROGRESS_SCALE = 1000;

class CPlayerCore {
public:
    // Builds and starts the data model on the program folder (or the folder given, which
    // holds the database), then the play list over its table.
    CPlayerCore();
    explicit CPlayerCore(const CString& folder);
    // The data model goes first: it saves the play list and the settings and closes the database.
    ~CPlayerCore();
    CPlayerCore(const CPlayerCore&) = delete;
    CPlayerCore& operator=(const CPlayerCore&) = delete;

    CPlayList* GetPlayList() const { return m_pPlayList.get(); }
    CDataModel* GetDataModel() const { return m_pDataModel.get(); }
    // A new store over the download records; the caller owns it.
    std::unique_ptr<CDownloadRecordStore> CreateDownloadRecordStore() const;

    int PlayState = PLAY_STATE_NONE;
    bool FullScreen = false;

private:
    std::unique_ptr<CPlayList> m_pPlayList;
    std::unique_ptr<CDataModel> m_pDataModel;  // after the play list: destroyed before it
};
