// What the download window does with the engine's messages, reduced to what the
// download control relies on: the row changes, the rename of a finished file and the
// command it sends back (here straight to the control under test). It receives the
// messages in place of the download window of FakeWindows.
#pragma once

#include <functional>

#include "download/JobMessageWindow.h"
#include "fakes/FakeWindows.h"

class DownloadWindowStandIn {
public:
    using Send = std::function<void(int code, void* data)>;

    DownloadWindowStandIn(FakeWindows& windows, Send send);

    JobMessageWindow messages;

private:
    void React(const ReceivedMessage& message);
    // The item of the row, as the window reads it; no row gives null.
    DOWNLOAD_LIST_ITEM* Row(int fileId);

    FakeWindows& m_windows;
    Send m_send;
};
