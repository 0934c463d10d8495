#include "download/DownloadWindowStandIn.h"

#include "config/UserConfig.h"
#include "common/WindowMessages.h"
#include "facade/CommandCodes.h"

DownloadWindowStandIn::DownloadWindowStandIn(FakeWindows& windows, Send send)
    : m_windows(windows), m_send(std::move(send)) {
    windows.downloadWnd.m_hWnd = messages.Handle();
    messages.onMessage = [this](const ReceivedMessage& message) { React(message); };
}

DOWNLOAD_LIST_ITEM* DownloadWindowStandIn::Row(int fileId) {
    auto row = m_windows.downloadRows.find(fileId);
    return row == m_windows.downloadRows.end() ? nullptr : &row->second;
}

void DownloadWindowStandIn::React(const ReceivedMessage& message) {
    if (message.Message == WM_DOWNLOAD_STARTED) {
        int fileId = (int)message.WParam;
        if (DOWNLOAD_LIST_ITEM* row = Row(fileId)) {
            m_windows.downloadWnd.ChangeTaskRowState(fileId, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING);
            row->Task.FileSize = message.LParam;
            DOWNLOAD_LIST_ITEM item = *row;
            m_send(CMD_DOWNLOAD_STARTED, &item);
        }
        return;
    }
    if (message.Message == WM_DOWNLOAD_PROGRESS || !message.Key) return;

    DOWNLOAD_JOB_KEY key = *message.Key;
    if (key.UserName != CUserConfig::GetInstance().GetCurrentUser()) {
        if (message.Message != WM_DOWNLOAD_FAILED) m_send(CMD_DOWNLOAD_STOPPED, &key);
        return;
    }
    DOWNLOAD_LIST_ITEM* row = Row(key.FileID);
    if (message.Message == WM_DOWNLOAD_COMPLETE) {
        if (!row) return;
        DOWNLOAD_LIST_ITEM item = *row;
        m_windows.downloadWnd.MoveTaskRow(item, 1);
        MoveFileExW(key.FilePath + L".temp", key.FilePath, MOVEFILE_REPLACE_EXISTING);
        m_send(CMD_DOWNLOAD_COMPLETE, &item);
        return;
    }
    if (!row) {
        m_send(CMD_DOWNLOAD_FAILED, nullptr);
        return;
    }
    m_windows.downloadWnd.ChangeTaskRowState(key.FileID, row->State, DOWNLOAD_STATE_PAUSED);
    DOWNLOAD_LIST_ITEM item = *row;
    m_send(CMD_DOWNLOAD_FAILED, &item);
}
