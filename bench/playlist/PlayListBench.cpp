// Loads a play list of 10,000 items from a fresh database in the program folder and
// saves it back, five times, printing the best and the median time of each step.
// Target: both under 100 ms.
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "BenchClock.h"
#include "common/CommonHelpers.h"
#include "db/DatabaseConnection.h"
#include "db/PlayRecordSql.h"
#include "db/UpgradeHelper.h"
#include "playlist/PlayList.h"

namespace {

constexpr int kItems = 10000;
constexpr int kRounds = 5;

template <typename Step>
double Milliseconds(Step step) {
    double from = NowSeconds();
    step();
    return (NowSeconds() - from) * 1000.0;
}

std::vector<PLAY_RECORD_INFO> MakeItems() {
    std::vector<PLAY_RECORD_INFO> items(kItems);
    for (int i = 0; i < kItems; ++i) {
        items[i].FilePath.Format(L"D:\\动画\\第%05d集 - it's 100%% done.xof", i);
        items[i].AddTime = 1700000000LL + i;
        items[i].PlayTime = i % 3 ? 0 : 1700100000LL + i;
        items[i].Consuming = i;
    }
    return items;
}

void Print(const char* step, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    printf("%s: best %.1f ms, median %.1f ms\n", step, times.front(), times[times.size() / 2]);
}

}  // namespace

int main() {
    const CString dbPath = GetDatabasePath();
    DeleteFileIfExists(dbPath);
    if (!CUpgradeHelper().UpgradeDatabase()) {
        fprintf(stderr, "the database cannot be made next to the program\n");
        return 1;
    }
    bool intact = true;
    std::vector<double> loadMs, saveMs;
    {
        CDatabaseConnection db(dbPath);
        CPlayRecordSql sql(&db);
        sql.SaveList(MakeItems());
        CPlayList list(&sql);
        for (int round = 0; round < kRounds; ++round) {
            loadMs.push_back(Milliseconds([&] { list.Load(); }));
            intact = intact && list.GetCount() == kItems;
            list.MoveItem(list.GetLastPath(), 0);
            CString first = list.GetFirstPath();
            saveMs.push_back(Milliseconds([&] { list.Save(); }));
            list.Load();
            intact = intact && list.GetFirstPath() == first;
        }
    }
    DeleteFileIfExists(dbPath);
    printf("play list of %d items, %d rounds%s\n", kItems, kRounds, intact ? "" : " (LOST ITEMS OR ORDER)");
    Print("load", loadMs);
    Print("save", saveMs);
    return intact ? 0 : 1;
}
