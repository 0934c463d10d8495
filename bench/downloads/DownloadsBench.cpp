// Downloads 100 MB files from the loopback server with the download engine (work
// queue, workers and HTTP jobs), one file alone and ten at once, and has curl fetch
// the same files from the same server in the same run (curl runs on the host, started
// through Wine; bench/downloads/run installs it when missing). Prints MB/s (10^6
// bytes) of each, best and median of three rounds, and the engine's share of curl's.
// Target: the engine's aggregate at least 0.9 of curl's.
#include <afxwin.h>
#include <stdio.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/WindowMessages.h"
#include "download/DownloadQueue.h"
#include "download/DownloadVedioItem.h"
#include "http/HttpReplies.h"
#include "http/LoopbackHttpServer.h"

namespace {

constexpr uint64_t kFileBytes = 100 * 1000 * 1000;
constexpr int kRounds = 3;
constexpr DWORD kRoundLimitMs = 300000;

double MegabytesPerSecond(int files, double seconds) { return files * (kFileBytes / 1e6) / seconds; }

// The job messages arrive here; the payloads are freed as the download window frees them.
class EndCounter {
public:
    EndCounter()
        : m_window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        m_wnd.m_hWnd = m_window;
    }
    ~EndCounter() { DestroyWindow(m_window); }
    CWnd* Wnd() { return &m_wnd; }

    // Pumps until count jobs ended; false when one failed or the time ran out.
    bool WaitForEnds(int count) {
        int ends = 0;
        bool allComplete = true;
        DWORD start = GetTickCount();
        MSG message;
        while (ends < count && GetTickCount() - start < kRoundLimitMs) {
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
                continue;
            }
            if (message.hwnd != m_window || message.message < WM_DOWNLOAD_PROGRESS ||
                message.message > WM_DOWNLOAD_FAILED) {
                DispatchMessageW(&message);
                continue;
            }
            delete (DOWNLOAD_JOB_KEY*)message.wParam;
            if (message.message == WM_DOWNLOAD_PROGRESS) continue;
            if (message.message != WM_DOWNLOAD_COMPLETE) {
                delete (DOWNLOAD_ERROR_INFO*)message.lParam;
                allComplete = false;
            }
            ++ends;
        }
        return allComplete && ends == count;
    }

private:
    HWND m_window;
    CWnd m_wnd;
};

// A folder under the host's /tmp, reached as Z:\tmp\... here.
struct BenchFolder {
    BenchFolder() {
        unixPath = "/tmp/zemo-downloads-bench-" + std::to_string(GetCurrentProcessId());
        windowsPath = CString(L"Z:") + CString(unixPath.c_str());
        windowsPath.Replace(L"/", L"\\");
        CreateDirectoryW(windowsPath, nullptr);
    }
    ~BenchFolder() {
        Clear();
        RemoveDirectoryW(windowsPath);
    }
    void Clear() const {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(windowsPath + L"\\*", &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(windowsPath + L"\\" + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    CString File(const std::string& name) const { return windowsPath + L"\\" + CString(name.c_str()); }

    std::string unixPath;
    CString windowsPath;
};

bool HasWholeFile(const CString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path, GetFileExInfoStandard, &data) &&
           (((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow) == kFileBytes;
}

// Seconds for the engine to download files at once; negative when a download failed.
double EngineRound(CDownloadQueue& queue, const LoopbackHttpServer& server, const BenchFolder& folder, int files) {
    EndCounter counter;
    double start = NowSeconds();
    for (int i = 0; i < files; ++i) {
        DOWNLOAD_TASK_INFO task;
        task.FileID = i + 1;
        task.FileSize = kFileBytes;
        task.FilePath = folder.File("engine" + std::to_string(i) + ".xof");
        task.DownloadUrl = CString(server.Url("/video" + std::to_string(i) + ".xof").c_str());
        queue.Enqueue(std::make_unique<CDownloadVedioItem>(task, counter.Wnd()));
    }
    bool complete = counter.WaitForEnds(files);
    double seconds = NowSeconds() - start;
    for (int i = 0; i < files; ++i)
        complete = complete && HasWholeFile(folder.File("engine" + std::to_string(i) + ".xof.temp"));
    folder.Clear();
    return complete ? seconds : -1;
}

// Runs a shell command on the host and waits (bounded) until it has written its marker.
bool RunOnHost(const BenchFolder& folder, const std::string& command) {
    std::string script = command + "; touch " + folder.unixPath + "/done";
    std::wstring line = L"Z:\\bin\\sh -c \"" + std::wstring(CString(script.c_str()).GetString()) + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DWORD start = GetTickCount();
    while (GetFileAttributesW(folder.File("done")) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > kRoundLimitMs) return false;
        Sleep(20);
    }
    DeleteFileW(folder.File("done"));
    return true;
}

// Seconds for curl to fetch files at once (timed on the host); negative on failure.
double CurlRound(const LoopbackHttpServer& server, const BenchFolder& folder, int files) {
    std::string fetch = "curl -s -f 2>/dev/null";
    if (files > 1) fetch += " --parallel --parallel-max " + std::to_string(files);
    for (int i = 0; i < files; ++i)
        fetch += " -o " + folder.unixPath + "/curl" + std::to_string(i) + " " +
                 server.Url("/video" + std::to_string(i) + ".xof");
    std::string timed =
        "s=$(date +%s%N); " + fetch + " && e=$(date +%s%N) && echo $((e - s)) > " + folder.unixPath + "/nanoseconds";
    if (!RunOnHost(folder, timed)) return -1;
    double seconds = -1;
    if (FILE* result = _wfopen(folder.File("nanoseconds"), L"r")) {
        long long nanoseconds = 0;
        if (fscanf(result, "%lld", &nanoseconds) == 1 && nanoseconds > 0) seconds = nanoseconds / 1e9;
        fclose(result);
    }
    for (int i = 0; i < files; ++i)
        if (!HasWholeFile(folder.File("curl" + std::to_string(i)))) seconds = -1;
    folder.Clear();
    return seconds;
}

struct Figures {
    std::vector<double> engine, curl;  // MB/s per round
};

// Prints one line of figures; returns the engine's share of curl's best.
double Print(int files, Figures figures) {
    std::sort(figures.engine.begin(), figures.engine.end());
    std::sort(figures.curl.begin(), figures.curl.end());
    double engineBest = figures.engine.back(), curlBest = figures.curl.back();
    printf(
        "%2d at once: engine best %6.1f MB/s, median %6.1f | curl best %6.1f MB/s, median %6.1f | engine/curl %.2f\n",
        files, engineBest, figures.engine[kRounds / 2], curlBest, figures.curl[kRounds / 2], engineBest / curlBest);
    return engineBest / curlBest;
}

}  // namespace

int main() {
    BenchFolder folder;
    if (!RunOnHost(folder, "command -v curl >/dev/null && touch " + folder.unixPath + "/curl-found") ||
        GetFileAttributesW(folder.File("curl-found")) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "curl is not on the host (bench/downloads/run installs it)\n");
        return 1;
    }
    folder.Clear();
    ByteSource source = PatternSource(kFileBytes);
    LoopbackHttpServer server(
        [&](const HttpRequest& request, HttpReply& reply) { reply = RangeReply(request, source); });
    CDownloadQueue queue;
    if (!queue.Start()) {
        fprintf(stderr, "the download workers cannot be started\n");
        return 1;
    }
    printf("100 MB files from the loopback server, %d rounds\n", kRounds);
    double aggregateShare = 0;
    for (int files : {1, 10}) {
        Figures figures;
        for (int round = 0; round < kRounds; ++round) {
            double engine = EngineRound(queue, server, folder, files);
            double curl = CurlRound(server, folder, files);
            if (engine <= 0 || curl <= 0) {
                fprintf(stderr, "%s failed with %d at once\n", engine <= 0 ? "the engine" : "curl", files);
                return 1;
            }
            figures.engine.push_back(MegabytesPerSecond(files, engine));
            figures.curl.push_back(MegabytesPerSecond(files, curl));
        }
        aggregateShare = Print(files, figures);
    }
    printf("target: the engine's aggregate (10 at once) at least 0.90 of curl's: %.2f, %s\n", aggregateShare,
           aggregateShare >= 0.9 ? "met" : "missed");
    return 0;
}
