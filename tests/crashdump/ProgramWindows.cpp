#include "ProgramWindows.h"

#include <commctrl.h>

#include <stdexcept>

#include "WindowCapture.h"
#include "files/TestProgram.h"

namespace {

struct SEARCH {
    const std::wstring* path;
    const std::wstring* caption;
    HWND found;
};

std::wstring ProcessImage(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return L"";
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    const bool known = QueryFullProcessImageNameW(process, 0, image, &size);
    CloseHandle(process);
    return known ? image : L"";
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    SEARCH& search = *reinterpret_cast<SEARCH*>(parameter);
    if (!IsWindowVisible(window) || WindowText(window) != *search.caption) return TRUE;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (lstrcmpiW(ProcessImage(id).c_str(), search.path->c_str()) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

// Memory inside the window's process, for the messages whose parameters point at data.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size) : m_process(OpenWindowProcess(window)) {
        if (m_process)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!m_address) throw std::runtime_error("no memory in the window's process");
    }
    ~RemoteMemory() {
        VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        CloseHandle(m_process);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    template <class T>
    T* At(size_t offset) const {
        return reinterpret_cast<T*>(static_cast<char*>(m_address) + offset);
    }
    void Write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(m_process, At<char>(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(m_process, At<char>(offset), data, size, nullptr);
    }

private:
    HANDLE m_process;
    void* m_address = nullptr;
};

constexpr int TEXT_SIZE = 512;

// Sends message with a remote record whose text field points at a remote text buffer;
// the text it leaves there.
template <class RECORD>
std::wstring RemoteText(HWND list, UINT message, WPARAM wParam, RECORD record) {
    RemoteMemory memory(list, sizeof(RECORD) + TEXT_SIZE * sizeof(wchar_t));
    record.pszText = memory.At<wchar_t>(sizeof(RECORD));
    record.cchTextMax = TEXT_SIZE;
    memory.Write(0, &record, sizeof(record));
    const wchar_t nothing = L'\0';
    memory.Write(sizeof(RECORD), &nothing, sizeof(nothing));
    SendMessageW(list, message, wParam, reinterpret_cast<LPARAM>(memory.At<RECORD>(0)));
    wchar_t text[TEXT_SIZE] = {};
    memory.Read(sizeof(RECORD), text, sizeof(text) - sizeof(wchar_t));
    return text;
}

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return header ? (int)SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
}

}  // namespace

HWND WaitForProgramWindow(const std::wstring& programPath, const std::wstring& caption, DWORD timeoutMs) {
    const DWORD begin = GetTickCount();
    for (;;) {
        SEARCH search = {&programPath, &caption, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - begin > timeoutMs) return search.found;
        Sleep(50);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const DWORD begin = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - begin > timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

HANDLE OpenWindowProcess(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_OPERATION |
                           PROCESS_VM_READ | PROCESS_VM_WRITE,
                       FALSE, id);
}

std::wstring WindowText(HWND window) {
    wchar_t text[TEXT_SIZE] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, TEXT_SIZE, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return text;
}

std::wstring BoxText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0) text += WindowText(child);
    }
    return text;
}

void ClickControl(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    RECT area;
    GetClientRect(control, &area);
    const LPARAM centre = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(control, WM_LBUTTONUP, 0, centre);
}

std::vector<std::wstring> ListColumns(HWND list) {
    std::vector<std::wstring> headings;
    for (int column = 0; column < ColumnCount(list); ++column) {
        LVCOLUMNW record = {};
        record.mask = LVCF_TEXT;
        headings.push_back(RemoteText(list, LVM_GETCOLUMNW, column, record));
    }
    return headings;
}

std::vector<std::vector<std::wstring>> ListRows(HWND list) {
    std::vector<std::vector<std::wstring>> rows;
    const int count = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < count; ++row) {
        rows.emplace_back();
        for (int column = 0; column < ColumnCount(list); ++column) {
            LVITEMW record = {};
            record.iSubItem = column;
            rows.back().push_back(RemoteText(list, LVM_GETITEMTEXTW, row, record));
        }
    }
    return rows;
}

bool SaveWindowPicture(HWND window, const std::wstring& path) {
    SetForegroundWindow(window);
    BringWindowToTop(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(500);
    return WindowCapture(window).SavePng(path.c_str());
}

std::wstring ArtifactsFolder() {
    const std::wstring folder = BesideTheTestProgram(L"artifacts\\");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
