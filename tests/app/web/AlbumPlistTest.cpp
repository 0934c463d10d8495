#include <gtest/gtest.h>

#include "web/AlbumPlist.h"

namespace {

// The text as XML character data.
CString Escaped(CString text) {
    text.Replace(L"&", L"&amp;");
    text.Replace(L"<", L"&lt;");
    text.Replace(L">", L"&gt;");
    text.Replace(L"\x01", L"&#1;");
    return text;
}

CString Entry(const CString& inner) { return L"<dict>" + inner + L"</dict>"; }

CString Plist(const CString& album, const CString& entries, const CString& more = CString()) {
    return L"<?xml "
           L"version=\"1.0\"?><plist><array><dict><key>kOther</key><string>x</string><key>kAlbumName</key><string>" +
           album + L"</string><key>kAlbumFiles</key><array>" + entries + L"</array></dict>" + more +
           L"</array></plist>";
}

const CString kFull = Entry(
    L"<key>kFileID</key><integer>101</integer><key>kFileName</key><string>N</string>"
    L"<key>kFileURL</key><string>http://files/1.flv</string><key>kFileOrder</key><string>3</string>"
    L"<key>kFileType</key><string>.flv</string><key>kFileSize</key><integer>12</integer>");

std::vector<DOWNLOAD_LIST_ITEM> Build(const CString& reply, const CString& sid = L"S1", const CString& token = L"TOK",
                                      bool* built = nullptr) {
    CAlbumPlist plist(reply, L"D:\\Down", L"u");
    std::vector<DOWNLOAD_LIST_ITEM> list;
    bool result = plist.BuildDownloadList(list, sid, token);
    EXPECT_EQ(!list.empty(), result);
    if (built) *built = result;
    return list;
}

TEST(AlbumPlist, AFullEntryGivesItsTask) {
    std::vector<DOWNLOAD_LIST_ITEM> list = Build(Plist(L"A", kFull));
    ASSERT_EQ(1u, list.size());
    const DOWNLOAD_TASK_INFO& task = list[0].Task;
    EXPECT_EQ(0, list[0].State);
    EXPECT_EQ(101, task.FileID);
    EXPECT_EQ(3, task.Sequence);
    EXPECT_EQ(12LL * 1048576, task.FileSize);
    EXPECT_EQ(0, task.DownSize);
    EXPECT_STREQ(L"D:\\Down\\A_3_N_u.flv", task.FilePath);
    EXPECT_STREQ(L"http://files/1.flv?zemoid=TOK&sid=S1", task.DownloadUrl);
    EXPECT_STREQ(L"A", task.AlbumName);
    EXPECT_STREQ(L"N", task.SectionName);
    EXPECT_STREQ(L"", task.UserName);
}

TEST(AlbumPlist, TheUsersKeysAreAddedOnlyWithBothTokenAndSid) {
    struct Case {
        const wchar_t* url;
        const wchar_t* sid;
        const wchar_t* token;
        const wchar_t* expected;
    } cases[] = {
        {L"http://f/1.flv", L"S", L"T", L"http://f/1.flv?zemoid=T&sid=S"},
        {L"http://f/get?id=1", L"S", L"T", L"http://f/get?id=1&zemoid=T&sid=S"},
        {L"http://f/1.flv", L"", L"T", L"http://f/1.flv"},
        {L"http://f/1.flv", L"S", L"", L"http://f/1.flv"},
        {L"", L"S", L"T", L"?zemoid=T&sid=S"},
    };
    for (const auto& c : cases) {
        auto list = Build(Plist(L"A", Entry(L"<key>kFileID</key><integer>1</integer><key>kFileURL</key><string>" +
                                            CString(c.url) + L"</string>")),
                          c.sid, c.token);
        ASSERT_EQ(1u, list.size());
        EXPECT_STREQ(c.expected, list[0].Task.DownloadUrl) << c.url;
    }
}

// Name parts from the reply never leave the download folder; the record keeps the texts.
TEST(AlbumPlist, HostileNamePartsStayInsideTheFolder) {
    struct Case {
        const wchar_t* album;
        const wchar_t* order;
        const wchar_t* name;
        const wchar_t* type;
        const wchar_t* path;
    } cases[] = {
        {L"..", L"1", L"N", L".flv", L"D:\\Down\\___1_N_u.flv"},
        {L".", L"..", L"..\\..\\Windows\\x", L".dll", L"D:\\Down\\_____.._.._Windows_x_u.dll"},
        {L"A", L"1", L"C:\\evil", L"\\..\\..\\x.exe", L"D:\\Down\\A_1_C__evil_u_.._.._x.exe"},
        {L"a/b", L"1*?", L"<n>|\"q\"", L":x", L"D:\\Down\\a_b_1____n___q__u_x"},
        {L"A\tB", L"\x01", L"N", L".flv", L"D:\\Down\\A_B___N_u.flv"},
    };
    for (const auto& c : cases) {
        CString reply = Plist(Escaped(c.album),
                              Entry(L"<key>kFileID</key><integer>1</integer><key>kFileOrder</key><string>" +
                                    Escaped(c.order) + L"</string><key>kFileName</key><string>" + Escaped(c.name) +
                                    L"</string><key>kFileType</key><string>" + Escaped(c.type) + L"</string>"));
        auto list = Build(reply);
        ASSERT_EQ(1u, list.size()) << c.path;
        EXPECT_STREQ(c.path, list[0].Task.FilePath);
        EXPECT_STREQ(c.album, list[0].Task.AlbumName);
        EXPECT_STREQ(c.name, list[0].Task.SectionName);
    }
}

TEST(AlbumPlist, EntriesAndTheirValuesAreReadAsTheyStand) {
    struct Case {
        const char* what;
        CString entries;
        std::vector<int> ids;  // of the items, in order
        std::vector<LONGLONG> sizes;
    } cases[] = {
        {"strings or integers",
         Entry(L"<key>kFileID</key><string> +7x</string><key>kFileSize</key><string>2</string>"),
         {7},
         {2 * 1048576LL}},
        {"order of entries, duplicates kept",
         Entry(L"<key>kFileID</key><integer>2</integer>") + Entry(L"<key>kFileID</key><integer>1</integer>") +
             Entry(L"<key>kFileID</key><integer>2</integer>"),
         {2, 1, 2},
         {0, 0, 0}},
        {"no id: skipped", Entry(L"<key>kFileName</key><string>n</string>") + kFull, {101}, {12 * 1048576LL}},
        {"keys differing in case are ignored", Entry(L"<key>kfileid</key><integer>5</integer>"), {}, {}},
        {"a key without its value takes nothing from the next",
         Entry(L"<key>kFileSize</key><key>kFileID</key><integer>9</integer>"),
         {9},
         {0}},
        {"a value without a key is skipped",
         Entry(L"<integer>4</integer><key>kFileID</key><integer>8</integer>"),
         {8},
         {0}},
        {"a last key without value", Entry(L"<key>kFileID</key><integer>6</integer><key>kFileSize</key>"), {6}, {0}},
        {"no digits", Entry(L"<key>kFileID</key><string>abc</string>"), {0}, {0}},
        {"no entries", CString(), {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto list = Build(Plist(L"A", c.entries));
        ASSERT_EQ(c.ids.size(), list.size());
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(c.ids[i], list[i].Task.FileID);
            EXPECT_EQ(c.sizes[i], list[i].Task.FileSize);
        }
    }
}

TEST(AlbumPlist, RepliesOfAnotherShapeGiveNothing) {
    const CString second = L"<dict><key>kAlbumName</key><string>B</string><array>" +
                           Entry(L"<key>kFileID</key><integer>202</integer>") + L"</array></dict>";
    struct Case {
        const char* what;
        CString reply;
        size_t items;
    } cases[] = {
        {"empty", CString(), 0},
        {"not xml", L"Internal Server Error", 0},
        {"no plist", L"<html><body>error</body></html>", 0},
        {"no album name", L"<plist><array><dict><key>kFiles</key><array>" + kFull + L"</array></dict></array></plist>",
         0},
        {"only the first album", Plist(L"A", kFull, second), 1},
        {"array right after the name key",
         L"<plist><array><dict><key>kAlbumName</key><array>" + kFull + L"</array></dict></array></plist>", 1},
    };
    for (const auto& c : cases) {
        auto list = Build(c.reply);
        EXPECT_EQ(c.items, list.size()) << c.what;
    }
}

TEST(AlbumPlist, TheFolderGetsOneBackslash) {
    for (const wchar_t* folder : {L"D:\\Down", L"D:\\Down\\"}) {
        CAlbumPlist plist(Plist(L"A", kFull), folder, L"u");
        std::vector<DOWNLOAD_LIST_ITEM> list;
        ASSERT_TRUE(plist.BuildDownloadList(list, L"", L""));
        EXPECT_STREQ(L"D:\\Down\\A_3_N_u.flv", list[0].Task.FilePath);
        EXPECT_STREQ(L"A", plist.GetAlbumName());
    }
}

}  // namespace
