#include <gtest/gtest.h>

#include "download/DownloadRecords.h"
#include "download/PauseRequestList.h"

namespace {

TEST(DownloadRecordsTest, KeysMatchOnFileIdAndUserNameOnly) {
    DOWNLOAD_JOB_KEY key(42, L"Alice", L"C:\\a.xof", 0);
    struct {
        DOWNLOAD_JOB_KEY other;
        bool equal;
    } cases[] = {
        {DOWNLOAD_JOB_KEY(42, L"Alice", L"D:\\elsewhere.xof", 900), true},
        {DOWNLOAD_JOB_KEY(42, L"alice", L"C:\\a.xof", 0), false},
        {DOWNLOAD_JOB_KEY(43, L"Alice", L"C:\\a.xof", 0), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.equal, key == c.other) << c.other.FileID;
}

TEST(DownloadRecordsTest, ErrorTextsCarryTheSystemCode) {
    struct {
        int kind, detail;
        const wchar_t* text;
    } cases[] = {
        {DOWNLOAD_ERR_NONE, 0, L""},
        {DOWNLOAD_ERR_PAUSED, 0, L"暂停"},
        {DOWNLOAD_ERR_CONNECT, 12029, L"连接请求异常(12029)"},
        {DOWNLOAD_ERR_CONNECT, 404, L"连接请求异常(404)"},
        {DOWNLOAD_ERR_CREATE_FILE, 5, L"创建文件失败(5)"},
        {DOWNLOAD_ERR_WRITE_FILE, 0, L"写文件失败"},
        {DOWNLOAD_ERR_UNKNOWN, 0, L"未知错误"},
        {77, 0, L""},
        {77, -3, L"(-3)"},
    };
    for (const auto& c : cases) EXPECT_EQ(CString(c.text), DOWNLOAD_ERROR_INFO(c.kind, c.detail).GetText()) << c.kind;
}

TEST(DownloadRecordsTest, NewTaskIsEmpty) {
    DOWNLOAD_TASK_INFO task;
    EXPECT_EQ(0, task.DownSize);
    EXPECT_EQ(0, task.Sequence);
    EXPECT_TRUE(task.FilePath.IsEmpty() && task.DownloadUrl.IsEmpty() && task.UserName.IsEmpty() &&
                task.AlbumName.IsEmpty() && task.SectionName.IsEmpty());
}

TEST(PauseRequestListTest, KeepsOneRequestPerLiveJob) {
    CPauseRequestList list;
    DOWNLOAD_JOB_KEY key(1, L"bob", L"C:\\1.xof", 0);
    list.Add(key);  // no such job
    EXPECT_FALSE(list.Take(key));

    list.JobQueued(key);
    list.Add(key);
    list.Add(DOWNLOAD_JOB_KEY(1, L"bob", L"C:\\moved.xof", 0));  // equal: not a second request
    EXPECT_FALSE(list.Take(DOWNLOAD_JOB_KEY(1, L"Bob", L"C:\\1.xof", 0)));
    EXPECT_TRUE(list.Take(key));
    EXPECT_FALSE(list.Take(key));

    // While a second job of the task is live, the end of the first keeps the request.
    list.JobQueued(key);
    list.Add(key);
    list.JobEnded(key);
    EXPECT_TRUE(list.Take(key));
    list.Add(key);
    list.JobEnded(key);
    EXPECT_FALSE(list.Take(key));
}

}  // namespace
