// The record store over the DownloadRecord table of a fresh database.
#include <gtest/gtest.h>

#include "db/DownloadRecordSql.h"
#include "download/DownloadRecordStore.h"
#include "download/DownloadTestFiles.h"
#include "fixtures/ProgramFolder.h"
#include "fixtures/UserConfigScope.h"

namespace {

class DownloadRecordStoreTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.upgraded);
        settings.SignIn(L"alice");
    }

    // A task as the album list brings it: with its album fields.
    DOWNLOAD_TASK_INFO AlbumTask(int fileId, LONGLONG fileSize, const CString& album = L"Album",
                                 const CString& section = L"Part") {
        DOWNLOAD_TASK_INFO task;
        task.FileID = fileId;
        task.FileSize = fileSize;
        task.FilePath.Format(L"%sv%d.xof", (LPCWSTR)data.folder.Path(), fileId);
        task.DownloadUrl.Format(L"http://127.0.0.1/v%d", fileId);
        task.Sequence = fileId;
        task.AlbumName = album;
        task.SectionName = section;
        return task;
    }
    void Save(std::vector<DOWNLOAD_TASK_INFO> tasks) {
        std::vector<DOWNLOAD_LIST_ITEM> items;
        for (const DOWNLOAD_TASK_INFO& task : tasks) items.emplace_back(DOWNLOAD_STATE_WAITING, task);
        store.SaveTasks(items);
    }
    std::map<int, DOWNLOAD_LIST_ITEM> Loaded() {
        std::map<int, DOWNLOAD_LIST_ITEM> byId;
        for (const DOWNLOAD_LIST_ITEM& item : store.LoadTasks()) byId[item.Task.FileID] = item;
        return byId;
    }
    CString Name(int fileId, LPCWSTR suffix = L"") {
        CString name;
        name.Format(L"v%d.xof%s", fileId, suffix);
        return name;
    }

    UserConfigScope settings;
    UpgradedDatabase data;
    CDownloadRecordSql table{data.db.get()};
    CDownloadRecordStore store{&table};
};

// What is on disk decides: a record is finished only when its file stands whole under
// its final name; a whole ".temp" that was never renamed still needs completing.
TEST_F(DownloadRecordStoreTest, LoadsStatesFromTheFilesOnDisk) {
    Save({AlbumTask(1, 3000), AlbumTask(2, 3000), AlbumTask(3, 3000), AlbumTask(4, 3000), AlbumTask(5, 0)});
    data.folder.WriteFile(Name(1), std::string(3000, 'a'));            // whole
    data.folder.WriteFile(Name(2, L".temp"), std::string(3000, 'b'));  // whole, not renamed
    data.folder.WriteFile(Name(3, L".temp"), std::string(1200, 'c'));  // partial
    // 4: nothing on disk; 5: size unknown and nothing on disk

    std::map<int, DOWNLOAD_LIST_ITEM> loaded = Loaded();
    ASSERT_EQ(5u, loaded.size());
    struct {
        int fileId;
        int state;
        LONGLONG downSize;
    } expected[] = {{1, DOWNLOAD_STATE_FINISHED, 3000},
                    {2, DOWNLOAD_STATE_DOWNLOADING, 3000},
                    {3, DOWNLOAD_STATE_DOWNLOADING, 1200},
                    {4, DOWNLOAD_STATE_DOWNLOADING, 0},
                    {5, DOWNLOAD_STATE_DOWNLOADING, 0}};
    for (const auto& e : expected) {
        const DOWNLOAD_LIST_ITEM& item = loaded[e.fileId];
        EXPECT_EQ(e.state, item.State) << e.fileId;
        EXPECT_EQ(e.downSize, item.Task.DownSize) << e.fileId;
        EXPECT_EQ(data.folder.File(Name(e.fileId)), item.Task.FilePath);
        EXPECT_TRUE(item.Task.AlbumName.IsEmpty() && item.Task.UserName.IsEmpty());
    }
    EXPECT_EQ(3000, loaded[1].Task.FileSize);
    EXPECT_EQ(CString(L"http://127.0.0.1/v3"), loaded[3].Task.DownloadUrl);
}

TEST_F(DownloadRecordStoreTest, RecordsBelongToTheCurrentUserAndSurviveAReopen) {
    const LONGLONG big = 5LL << 30;
    Save({AlbumTask(7, big)});
    settings.SignIn(L"bob");
    EXPECT_TRUE(store.LoadTasks().empty());
    Save({AlbumTask(7, 100, L"Other", L"Show")});

    data.Reopen();
    CDownloadRecordSql reopened(data.db.get());
    CDownloadRecordStore again(&reopened);
    ASSERT_EQ(1u, again.LoadTasks().size());
    EXPECT_EQ(100, again.LoadTasks()[0].Task.FileSize);
    settings.SignIn(L"alice");
    ASSERT_EQ(1u, again.LoadTasks().size());
    EXPECT_EQ(big, again.LoadTasks()[0].Task.FileSize);
}

// A loaded task has no album data: saving it again updates sizes and paths only and
// keeps the album data of the record.
TEST_F(DownloadRecordStoreTest, LaterSavesKeepTheAlbumData) {
    Save({AlbumTask(3, 9000, L"Album", L"Three")});
    data.folder.WriteFile(Name(3, L".temp"), std::string(4000, 'x'));
    std::vector<DOWNLOAD_LIST_ITEM> loaded = store.LoadTasks();
    ASSERT_EQ(1u, loaded.size());
    loaded[0].Task.FileSize = 8000;
    store.SaveTasks(loaded);

    EXPECT_EQ(8000, Loaded()[3].Task.FileSize);
    CString title = data.folder.File(Name(3));
    store.GetFileTitle(title);
    EXPECT_EQ(CString(L"Album_Three"), title);

    // A task without album data never creates a record.
    DOWNLOAD_TASK_INFO bare = AlbumTask(4, 10, L"", L"");
    Save({bare});
    EXPECT_EQ(0u, Loaded().count(4));
}

TEST_F(DownloadRecordStoreTest, UpdatesAndDeletesOneUsersRecords) {
    Save({AlbumTask(1, 5000), AlbumTask(2, 5000)});
    data.folder.WriteFile(Name(1, L".temp"), std::string(2500, 'x'));
    store.UpdateDownSize(1, L"alice", data.folder.File(Name(1)));
    CStringArray alice;
    alice.Add(L"alice");
    std::unique_ptr<SqlRows> rows = table.Select(&alice);
    ASSERT_TRUE(rows);
    bool found = false;
    for (const CStringArray& row : *rows)
        if (row[0] == L"1") found = (row[3] == L"2500");
    EXPECT_TRUE(found);

    store.DeleteTasks({DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, AlbumTask(1, 0))});
    std::map<int, DOWNLOAD_LIST_ITEM> left = Loaded();
    EXPECT_EQ(0u, left.count(1));
    EXPECT_EQ(1u, left.count(2));
}

TEST_F(DownloadRecordStoreTest, FileTitlesComeFromTheAlbumOrTheFileName) {
    Save({AlbumTask(1, 10, L"A", L"B"), AlbumTask(2, 10, L"A", L"")});
    struct {
        CString path;
        const wchar_t* title;
    } cases[] = {
        {data.folder.File(Name(1)), L"A_B"},
        {data.folder.File(Name(1)).MakeUpper(), L"A_B"},  // paths compare without case
        {data.folder.File(Name(2)), L"v2"},               // no section: the file title
        {L"D:\\videos\\clip.xof", L"clip"},
        {L"clip.xof", L""},
        {L"D:\\a.b\\clip", L""},
    };
    for (const auto& c : cases) {
        CString path = c.path;
        store.GetFileTitle(path);
        EXPECT_EQ(CString(c.title), path) << (LPCSTR)CStringA(c.path);
    }
}

TEST(DownloadRecordStoreWithoutTableTest, LoadsAndStoresNothing) {
    CDownloadRecordStore store(nullptr);
    EXPECT_TRUE(store.LoadTasks().empty());
    store.SaveTasks({DOWNLOAD_LIST_ITEM()});
    store.DeleteTasks({DOWNLOAD_LIST_ITEM()});
    store.UpdateDownSize(1, L"a", L"C:\\x.xof");
    CString path = L"C:\\v\\clip.xof";
    store.GetFileTitle(path);
    EXPECT_EQ(CString(L"clip"), path);
}

}  // namespace
