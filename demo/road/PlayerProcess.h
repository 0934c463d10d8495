// The player program as the road sees it: a process started from the program folder,
// its main dialog found among the screen's windows, its end awaited.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace road {

// Polls the condition every 100 ms until it holds or the time is up; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

class PlayerProcess {
public:
    // Starts "<folder>\Zemovista.exe <arguments>" in the folder; Started() tells.
    PlayerProcess(const std::wstring& folder, const std::wstring& arguments);
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    bool Running() const;
    // Waits for the end; the exit code, or -1 when it did not end in time.
    int WaitForEnd(DWORD timeoutMs) const;
    // The process's visible top-level window titled "Zemovista", or null.
    HWND MainDialog() const;
    // Its visible dialog (other than the main dialog) that holds a control of the id.
    HWND FindDialogWith(int controlId) const;
    // The play dialog, which holds the video surface and the download window.
    HWND PlayDialog() const;
    // The seek bar's slider in the main dialog's tab row.
    HWND SeekSlider() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

}  // namespace road
