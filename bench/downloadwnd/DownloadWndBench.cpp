// Prints the time to add 1,000 rows to the download page and the time of one
// progress update of 100 downloading rows, in a real window (targets under Wine:
// 200 ms and 20 ms), the time of the first layout and painting with those rows and
// the time to pause those 100 rows.
#include <afxwin.h>

#include <cstdio>

#include "BenchClock.h"
#include "DownloadWnd.h"
#include "common/CommonHelpers.h"
#include "downloadwnd/DownloadWndCtrlManager.h"
#include "skin/SkinManager.h"

namespace {

constexpr int kRows = 1000;
constexpr int kUpdated = 100;
constexpr int kRounds = 3;

DOWNLOAD_LIST_ITEM Item(int fileId, int state) {
    DOWNLOAD_TASK_INFO task;
    task.FileID = fileId;
    task.FileSize = 734003200;
    task.DownSize = 1048576LL * (fileId % 700);
    task.FilePath.Format(L"C:\\Downloads\\专辑_第%d集.xof", fileId);
    task.DownloadUrl.Format(L"http://127.0.0.1/v%d", fileId);
    return DOWNLOAD_LIST_ITEM(state, task);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
    CWinApp app;
    CSkinManager skin;
    SetAppSkinManager(&skin);
    skin.LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml");
    CWnd frame;
    frame.CreateEx(0, nullptr, L"bench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 560}, nullptr, 0);
    double addBest = 1e9, updateBest = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        CDownloadWnd window;
        window.SetViewKind(2);
        if (!window.Create(nullptr, nullptr, WS_VISIBLE | WS_CHILD, RECT{0, 0, 800, 560}, &frame, 4)) {
            std::printf("the download page did not load\n");
            return 1;
        }
        Pump();
        double start = NowSeconds();
        for (int fileId = 1; fileId <= kRows; ++fileId)
            window.AddTaskRow(Item(fileId, fileId <= kUpdated ? DOWNLOAD_STATE_DOWNLOADING : DOWNLOAD_STATE_PAUSED));
        double added = NowSeconds() - start;
        start = NowSeconds();
        HTMLayoutUpdateWindow(window.m_hWnd);
        Pump();
        double painted = NowSeconds() - start;
        start = NowSeconds();
        for (int fileId = 1; fileId <= kUpdated; ++fileId)
            window.Manager()->SetTaskProgress(fileId, 1048576LL * (fileId % 700 + 3));
        double updated = NowSeconds() - start;
        start = NowSeconds();
        for (int fileId = 1; fileId <= kUpdated; ++fileId)
            window.ChangeTaskRowState(fileId, DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED);
        double paused = NowSeconds() - start;
        addBest = added < addBest ? added : addBest;
        updateBest = updated < updateBest ? updated : updateBest;
        std::printf("round %d: %d rows added in %.1f ms, laid out and painted in %.1f ms, %d rows' progress updated "
                    "in %.2f ms, paused in %.1f ms\n",
                    round + 1, kRows, added * 1000, painted * 1000, kUpdated, updated * 1000, paused * 1000);
        window.DestroyWindow();
    }
    std::printf("best: add %d rows %.1f ms (target 200 ms), update %d rows %.2f ms (target 20 ms)\n", kRows,
                addBest * 1000, kUpdated, updateBest * 1000);
    SetAppSkinManager(nullptr);
    return 0;
}
