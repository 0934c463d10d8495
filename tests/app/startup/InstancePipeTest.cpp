#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/WindowMessages.h"
#include "startup/InstancePipe.h"

namespace {

// A hidden window that keeps what the listener posts to it.
class HandOverRecorder : public CWnd {
public:
    HandOverRecorder() { CreateEx(0, L"STATIC", nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0); }
    ~HandOverRecorder() override { DestroyWindow(); }

    // "another" or "open <path>" for each hand-over, in order.
    std::vector<CString> received;

    // Dispatches until `count` hand-overs came or the time is up.
    void WaitFor(size_t count, DWORD timeoutMs = 5000) {
        DWORD start = GetTickCount();
        while (received.size() < count && GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ANOTHER_INSTANCE) received.push_back(L"another");
        if (message == WM_OPEN_VIDEO_REQUEST) {
            std::unique_ptr<CString> path(reinterpret_cast<CString*>(wParam));
            received.push_back(L"open " + *path);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CString UniquePipeName() {
    static int counter = 0;
    CString name;
    name.Format(L"\\\\.\\pipe\\zemo-test-%lu-%d", GetCurrentProcessId(), ++counter);
    return name;
}

// A client that connects and writes the bytes as one message (nothing when empty and
// not asked to write); connected while it lives.
class PipeClient {
public:
    explicit PipeClient(const CString& name) {
        for (int attempt = 0; attempt < 200 && !m_handle; ++attempt) {
            m_handle = CScopedHandle(CreateFileW(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            if (!m_handle) Sleep(10);
        }
    }
    bool Connected() const { return (bool)m_handle; }
    void Write(const std::wstring& text) {
        DWORD written = 0;
        WriteFile(m_handle.Get(), text.data(), (DWORD)(text.size() * sizeof(wchar_t)), &written, nullptr);
    }

private:
    CScopedHandle m_handle;
};

void Send(const CString& name, const std::wstring& text) {
    PipeClient client(name);
    ASSERT_TRUE(client.Connected());
    client.Write(text);
}

// The first instance on a pipe of its own with the recorder as main window; the listener
// ends with the fixture (a connection while there is no main window ends it).
class ListeningPipe : public ::testing::Test {
protected:
    void SetUp() override {
        m_mainWnd = &recorder;
        ASSERT_TRUE(OpenInstancePipe(name, L"AnotherInstance", &m_mainWnd, pipe, &listener));
        ASSERT_TRUE(listener);
    }
    void TearDown() override {
        m_mainWnd = nullptr;
        PipeClient last(name);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(listener.Get(), 5000 + PIPE_READ_TIMEOUT_MS));
    }

    HandOverRecorder recorder;
    CString name = UniquePipeName();
    INSTANCE_PIPE pipe;
    CScopedHandle listener;
    CWnd* m_mainWnd = nullptr;
};

struct ListenerCase {
    const char* what;
    std::wstring message;
    std::vector<CString> expected;
};

TEST_F(ListeningPipe, EachMessageIsHandledAndTheNextStillArrives) {
    const std::wstring longPath = L"C:\\" + std::wstring(1500, L'x');
    const ListenerCase cases[] = {
        {"bare second start", L"AnotherInstance", {L"another"}},
        {"open request", L"OpenVideo|C:\\v\\a.xof", {L"open C:\\v\\a.xof"}},
        {"unknown keyword", L"CloseVideo|C:\\v\\a.xof", {}},
        {"keyword in another case", L"anotherinstance", {}},
        {"open request without a path", L"OpenVideo", {}},
        {"empty pieces skipped", L"|OpenVideo||C:\\b.xof", {L"open C:\\b.xof"}},
        {"text after a NUL ignored", std::wstring(L"AnotherInstance\0OpenVideo|C:\\c.xof", 34), {L"another"}},
        // 3000 bytes: only the first 2048 are read, 1024 characters in all.
        {"message over 2048 bytes", L"OpenVideo|" + longPath,
         {L"open " + CString((L"OpenVideo|" + longPath).substr(10, 1024 - 10).c_str())}},
    };
    for (const ListenerCase& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.received.clear();
        Send(name, c.message);
        Send(name, L"AnotherInstance");
        std::vector<CString> expected = c.expected;
        expected.push_back(L"another");
        recorder.WaitFor(expected.size());
        EXPECT_EQ(expected, recorder.received);
    }
}

TEST_F(ListeningPipe, AnEmptyMessageAndASilentClientDoNotStopTheListener) {
    {
        PipeClient empty(name);
        ASSERT_TRUE(empty.Connected());
        empty.Write(L"");
    }
    PipeClient silent(name);
    ASSERT_TRUE(silent.Connected());
    // The silent client is dropped after the read time-out; the next one is served.
    Send(name, L"OpenVideo|C:\\after.xof");
    recorder.WaitFor(1, 5000 + PIPE_READ_TIMEOUT_MS);
    EXPECT_EQ(std::vector<CString>{L"open C:\\after.xof"}, recorder.received);
}

TEST(InstancePipe, AClientBeforeTheListenerConnectsIsServed) {
    HandOverRecorder recorder;
    CString name = UniquePipeName();
    CScopedHandle server(CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                          PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 1024, 1024, 0, nullptr));
    ASSERT_TRUE(server);
    CScopedHandle event(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    PipeClient early(name);
    ASSERT_TRUE(early.Connected());
    early.Write(L"OpenVideo|C:\\early.xof");

    CWnd* mainWnd = &recorder;
    CScopedHandle thread(CreateThread(nullptr, 0, PipeListenerThread,
                                      new LISTENER_PARAM{server.Get(), event.Get(), &mainWnd}, 0, nullptr));
    ASSERT_TRUE(thread);
    recorder.WaitFor(1);
    EXPECT_EQ(std::vector<CString>{L"open C:\\early.xof"}, recorder.received);

    mainWnd = nullptr;
    PipeClient last(name);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.Get(), 5000));
}

TEST(InstancePipe, ASecondOpeningHandsItsMessageToTheFirst) {
    HandOverRecorder recorder;
    CWnd* mainWnd = &recorder;
    CString name = UniquePipeName();
    INSTANCE_PIPE first;
    CScopedHandle listener;
    // A stale error from an earlier call must not make the first instance a second one.
    SetLastError(ERROR_ACCESS_DENIED);
    ASSERT_TRUE(OpenInstancePipe(name, L"AnotherInstance", &mainWnd, first, &listener));

    INSTANCE_PIPE second;
    EXPECT_FALSE(OpenInstancePipe(name, L"OpenVideo|C:\\second.xof", &mainWnd, second));
    EXPECT_FALSE(second.pipe);
    recorder.WaitFor(1);
    EXPECT_EQ(std::vector<CString>{L"open C:\\second.xof"}, recorder.received);

    mainWnd = nullptr;
    PipeClient last(name);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(listener.Get(), 5000));
}

TEST(InstancePipe, NoListeningInstanceEndsTheSecondSilently) {
    CWnd* mainWnd = nullptr;
    CString name = UniquePipeName();
    INSTANCE_PIPE first;
    CScopedHandle listener;
    ASSERT_TRUE(OpenInstancePipe(name, L"AnotherInstance", &mainWnd, first, &listener));
    // A connection before the main window exists ends the listener.
    { PipeClient early(name); }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(listener.Get(), 5000));

    INSTANCE_PIPE second;
    DWORD start = GetTickCount();
    EXPECT_FALSE(OpenInstancePipe(name, L"AnotherInstance", &mainWnd, second));
    EXPECT_LT(GetTickCount() - start, 10000u);
}

TEST(InstancePipe, TheMessageNamesTheFirstArgumentAsAFullPath) {
    WCHAR current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    CString folder(current);
    if (folder.Right(1) != L"\\") folder += L"\\";
    struct {
        std::vector<CString> args;
        CString expected;
    } cases[] = {
        {{L"Zemovista.exe"}, L"AnotherInstance"},
        {{}, L"AnotherInstance"},
        {{L"Zemovista.exe", L"C:\\v\\a.xof"}, L"OpenVideo|C:\\v\\a.xof"},
        {{L"Zemovista.exe", L"C:\\v\\a.xof", L"C:\\v\\b.xof"}, L"OpenVideo|C:\\v\\a.xof"},
        {{L"Zemovista.exe", L"v\\a.xof"}, L"OpenVideo|" + folder + L"v\\a.xof"},
        {{L"Zemovista.exe", L"C:\\v\\..\\a.xof"}, L"OpenVideo|C:\\a.xof"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, BuildInstanceMessage(c.args));
}

}  // namespace
