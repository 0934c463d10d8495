// The real "Quillpost.exe" in a folder of its own with Vaultline.dll, driven through its
// windows as a user would, against the loopback storage service.
#include <gtest/gtest.h>

#include <functional>

#include "CrashUploadFixture.h"
#include "ProgramWindows.h"

namespace {

const wchar_t CAPTION[] = L"Crash数据发送";
constexpr int LIST_ID = 1001;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class SenderFolder : public CrashUpload {
public:
    SenderFolder() {
        folder.Install(L"Quillpost.exe", L"Quillpost.exe");
        folder.Install(L"Vaultline.dll", L"Vaultline.dll");
    }
    ~SenderFolder() {
        for (HANDLE process : m_processes) {
            if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    // "CrashConfig.ini" as the recorder leaves it, with the crash folders of the fixture.
    void WriteCrashConfig() const {
        folder.Write(L"CrashConfig.ini", "[Crash Info]\r\nLog Path=" + files.logFolder +
                                             "\r\nDump Path=" + files.dumpFolder + "\r\nCashExe Path=" +
                                             folder.AnsiPath() + "player.exe\r\nLog File=" + files.logName +
                                             "\r\nDump File=" + files.dumpName + "\r\n");
    }
    std::wstring Sender() const { return folder.File(L"Quillpost.exe"); }
    // Starts the sender as the recorder would and waits for its dialog (null when none came).
    HWND StartSender() {
        m_processes.push_back(folder.Start(L"Quillpost.exe"));
        return WaitForProgramWindow(Sender(), CAPTION);
    }
    // A process the test ends when it is left running.
    void Own(HANDLE process) { m_processes.push_back(process); }
    // The sender's message box with that caption: its text, answered with OK ("<none>" when none came).
    std::wstring AnswerBox(const wchar_t* caption, const wchar_t* picture = nullptr) const {
        HWND box = WaitForProgramWindow(Sender(), caption);
        if (!box) return L"<none>";
        if (picture) SaveWindowPicture(box, ArtifactsFolder() + picture);
        const std::wstring text = BoxText(box);
        ClickControl(box, IDOK);
        EXPECT_TRUE(WaitUntilGone(box));
        return text;
    }
    // True when the sender's process ends within the time.
    bool SenderEnds(DWORD timeoutMs = 15000) const {
        return WaitForSingleObject(m_processes.front(), timeoutMs) == WAIT_OBJECT_0;
    }

private:
    std::vector<HANDLE> m_processes;
};

class QuillpostTest : public testing::Test, public SenderFolder {};

TEST_F(QuillpostTest, ListsTheLogAndTheDumpWithTheirSizesAndCancelSendsNothing) {
    WriteCrashConfig();
    HWND dialog = StartSender();
    ASSERT_TRUE(dialog);
    SaveWindowPicture(dialog, ArtifactsFolder() + L"quillpost-dialog.png");
    HWND list = GetDlgItem(dialog, LIST_ID);
    EXPECT_EQ((std::vector<std::wstring>{L"FileName", L"Size"}), ListColumns(list));
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{{Wide(files.logName), L"2.50KB"},
                                                      {Wide(files.dumpName), L"1.50KB"}}),
              ListRows(list));

    ClickControl(dialog, IDCANCEL);
    EXPECT_TRUE(SenderEnds());
    EXPECT_EQ(0, service.RequestCount("login_rest.php"));
}

TEST_F(QuillpostTest, OkStoresBothFilesSaysSoAndCloses) {
    WriteCrashConfig();
    HWND dialog = StartSender();
    ASSERT_TRUE(dialog);
    ClickControl(dialog, IDOK);
    EXPECT_EQ(L"已经成功发送" + Wide(files.logName) + L"和" + Wide(files.dumpName),
              AnswerBox(L"Success", L"quillpost-success.png"));
    EXPECT_TRUE(SenderEnds());
    for (const auto& [name, bytes] : {std::make_pair(files.logName, log), std::make_pair(files.dumpName, dump)}) {
        std::optional<STORED_LARGE_FILE> stored = Stored(name);
        ASSERT_TRUE(stored) << name;
        EXPECT_TRUE(stored->finished) << name;
        EXPECT_EQ(bytes, stored->data) << name;
    }
    EXPECT_TRUE(service.Violations().empty());
}

// The dialog stays after a failed send, for another try or Cancel.
TEST_F(QuillpostTest, AFailedSendSaysSoAndLeavesTheDialog) {
    const struct {
        const char* what;
        std::function<void(SenderFolder&)> arrange;
    } cases[] = {
        {"missing log",
         [](SenderFolder& t) { DeleteFileW(t.folder.File(L"logs\\" + Wide(t.files.logName)).c_str()); }},
        {"missing dump",
         [](SenderFolder& t) { DeleteFileW(t.folder.File(L"dumps\\" + Wide(t.files.dumpName)).c_str()); }},
        {"refused sign-in",
         [](SenderFolder& t) {
             t.folder.Write(L"Mailer.ini", "[User Info]\r\nIP=" + t.Host() + "\r\nMail Name=stranger\r\n");
         }},
    };
    for (const auto& c : cases) {
        SenderFolder t;
        t.WriteCrashConfig();
        c.arrange(t);
        HWND dialog = t.StartSender();
        ASSERT_TRUE(dialog) << c.what;
        ClickControl(dialog, IDOK);
        EXPECT_EQ(L"发送失败", t.AnswerBox(L"Error")) << c.what;
        EXPECT_TRUE(IsWindowVisible(dialog)) << c.what;
        EXPECT_EQ(1, t.service.RequestCount("login_rest.php")) << c.what;
        ClickControl(dialog, IDCANCEL);
        EXPECT_TRUE(t.SenderEnds()) << c.what;
    }
}

TEST_F(QuillpostTest, WithoutItsConfigurationItWarnsAndShowsNoDialog) {
    for (const wchar_t* missing : {L"CrashConfig.ini", L"Mailer.ini"}) {
        SenderFolder t;
        t.WriteCrashConfig();
        t.WriteMailer("Reboot=YES\r\n");
        t.folder.Install(L"stub_program.exe", L"player.exe");
        DeleteFileW(t.folder.File(missing).c_str());
        t.Own(t.folder.Start(L"Quillpost.exe"));
        EXPECT_EQ(t.folder.File(missing) + L"文件不存在", t.AnswerBox(L"WARNING")) << missing;
        EXPECT_TRUE(t.SenderEnds()) << missing;
        EXPECT_FALSE(WaitForProgramWindow(t.Sender(), CAPTION, 0)) << missing;
        EXPECT_FALSE(t.folder.Exists(L"player.exe.marker")) << missing;
    }
}

// The crashed player still holds the single-instance pipe while the sender starts: the
// new one may only start once it has ended, and the dialog answers meanwhile.
TEST_F(QuillpostTest, RebootStartsThePlayerOnlyAfterTheCrashedOneEnded) {
    const struct {
        const char* reboot;
        const char* marker;  // of both players' runs
    } cases[] = {{"YES", "start\r\nend\r\nstart\r\nend\r\n"}, {"yes", ONE_RUN}, {"", ONE_RUN}};
    for (const auto& c : cases) {
        SenderFolder t;
        t.WriteCrashConfig();
        t.WriteMailer(std::string("Reboot=") + c.reboot + "\r\n");
        t.folder.Install(L"stub_program.exe", L"player.exe");
        t.folder.Write(L"player.exe.linger", "6000");
        HANDLE crashed = t.folder.Start(L"player.exe");
        t.Own(crashed);
        ASSERT_EQ("start\r\n", t.folder.WaitForMarker(L"player.exe", "start\r\n"));

        HWND dialog = t.StartSender();
        ASSERT_TRUE(dialog) << c.reboot;
        ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(crashed, 0)) << "the crashed player ended too soon";
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) << c.reboot;
        EXPECT_EQ("start\r\n", t.folder.Read(L"player.exe.marker")) << c.reboot;

        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(crashed, 20000));
        EXPECT_EQ(c.marker, t.folder.WaitForMarker(L"player.exe", c.marker)) << c.reboot;
        Sleep(1000);
        EXPECT_EQ(c.marker, t.folder.Read(L"player.exe.marker")) << c.reboot;
        ClickControl(dialog, IDCANCEL);
        EXPECT_TRUE(t.SenderEnds()) << c.reboot;
    }
}

}  // namespace

namespace {

// The whole road: a real crash of the player starts the real sender, whose OK stores
// both crash files on the service.
TEST_F(QuillpostTest, ACrashOfThePlayerEndsWithBothFilesStoredOnOk) {
    folder.Install(L"crash_child.exe", L"player.exe");
    folder.Write(L"CrashConfig.ini", "[Crash Info]\r\n");
    HANDLE crashed = folder.Start(L"player.exe", L"write-null");
    Own(crashed);
    HWND dialog = WaitForProgramWindow(Sender(), CAPTION, 60000);
    ASSERT_TRUE(dialog);
    HANDLE sender = OpenWindowProcess(dialog);
    Own(sender);
    SaveWindowPicture(dialog, ArtifactsFolder() + L"quillpost-after-crash.png");

    char value[MAX_PATH];
    const std::string config = folder.AnsiPath() + "CrashConfig.ini";
    GetPrivateProfileStringA("Crash Info", "Log File", "", value, MAX_PATH, config.c_str());
    const std::string logName = value;
    GetPrivateProfileStringA("Crash Info", "Dump File", "", value, MAX_PATH, config.c_str());
    const std::string dumpName = value;
    const std::vector<std::vector<std::wstring>> rows = ListRows(GetDlgItem(dialog, LIST_ID));
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(Wide(logName), rows[0][0]);
    EXPECT_EQ(Wide(dumpName), rows[1][0]);

    ClickControl(dialog, IDOK);
    EXPECT_EQ(L"已经成功发送" + Wide(logName) + L"和" + Wide(dumpName), AnswerBox(L"Success"));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sender, 15000));
    for (const std::string& name : {logName, dumpName}) {
        std::optional<STORED_LARGE_FILE> stored = Stored(name);
        ASSERT_TRUE(stored) << name;
        EXPECT_TRUE(stored->finished) << name;
        EXPECT_EQ(folder.Read(Wide(name)), stored->data) << name;
    }
    EXPECT_EQ("MDMP", folder.Read(Wide(dumpName)).substr(0, 4));
    WaitForSingleObject(crashed, 60000);
}

}  // namespace
