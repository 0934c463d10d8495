// The user's road through the player, step by step: each step acts with the keys and the
// pointer on the player's real windows, waits to see what a user would see, asks for a
// screenshot and tells whether it was seen (and why not).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MainDialogPlaces.h"
#include "PlayerProcess.h"

namespace road {

class Road {
public:
    // The program folder, the services' request log, the video handed over and the videos
    // the catalogue's album serves (in its order; the first is interrupted once).
    Road(std::wstring folder, std::wstring requestLog, std::wstring handedOver, std::vector<std::wstring> albumVideos);

    bool Start(const char* shot, std::string& why);
    bool SignIn(std::string& why);
    bool SignedIn(const char* shot, std::string& why);
    bool Catalogue(std::string& why);
    bool Category(std::string& why);
    bool AlbumForm(std::string& why);
    bool Downloads(std::string& why);
    bool PlayDownloaded(std::string& why);
    bool Seek(std::string& why);
    bool NextVideo(std::string& why);
    bool HandOver(std::string& why);
    bool EndOfPlayList(std::string& why);
    bool ToTrayAndBack(std::string& why);
    bool CloseByKeys(const char* shot, std::string& why);
    bool CloseByButton(const char* shot, std::string& why);

private:
    bool Ended(const char* shot, std::string& why);
    MainDialogPlaces Places() const { return MainDialogPlaces(m_player->MainDialog()); }
    std::vector<POINT> Links() const;
    bool ShowsAt(POINT point, COLORREF colour) const;
    // The second of the video (0-5, its colours) the middle of the page shows, or -1.
    int SecondShown() const;
    // The play list's row marked as playing, or -1.
    int PlayingRow() const;
    // The album's downloaded file of the index in the program folder, and its bytes as served.
    std::wstring DownloadPath(size_t index) const;
    bool Downloaded(size_t index) const;
    // The log shows the first file asked for again from where its transfer broke.
    bool ResumedRequestSeen() const;
    HWND DownloadWindow() const;

    std::wstring m_folder;
    std::wstring m_requestLog;
    std::wstring m_handedOver;
    std::vector<std::wstring> m_albumVideos;
    std::vector<std::string> m_albumBytes;  // what the catalogue serves, read once
    std::unique_ptr<PlayerProcess> m_player;
};

}  // namespace road
