#include "fakes/FakeWindows.h"

namespace {
std::map<int, DOWNLOAD_LIST_ITEM>& Rows() { return FakeWindows::Current().downloadRows; }
}  // namespace

void FakeDownloadWindow::AddTaskRow(const DOWNLOAD_LIST_ITEM& item) { Rows()[item.Task.FileID] = item; }

void FakeDownloadWindow::ClearTaskLists() {
    Rows().clear();
    FakeWindows::Current().calls.push_back("ClearTaskLists");
}

bool FakeDownloadWindow::HasTaskRow(int fileId) { return Rows().count(fileId) > 0; }

int FakeDownloadWindow::GetTaskRowState(int fileId) {
    auto row = Rows().find(fileId);
    return row == Rows().end() ? DOWNLOAD_STATE_PAUSED : row->second.State;
}

void FakeDownloadWindow::ChangeTaskRowState(int fileId, int from, int to) {
    auto row = Rows().find(fileId);
    if (row != Rows().end() && row->second.State == from) row->second.State = to;
}

void FakeDownloadWindow::MoveTaskRow(DOWNLOAD_LIST_ITEM item, int list) {
    item.State = list == 1 ? DOWNLOAD_STATE_FINISHED : DOWNLOAD_STATE_WAITING;
    Rows()[item.Task.FileID] = item;
}

void FakeDownloadWindow::GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) {
    for (const auto& row : Rows())
        if (row.second.State == state) items.push_back(row.second);
}

void FakeDownloadWindow::ScrollListsToTop() { FakeWindows::Current().calls.push_back("ScrollListsToTop"); }

void FakeDownloadWindow::RefreshForUser() { FakeWindows::Current().calls.push_back("RefreshForUser"); }
