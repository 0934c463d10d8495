// Stands in for a program that the crash road starts: appends "start\r\n" to
// "<own path>.marker", waits the milliseconds written in "<own path>.linger" when that
// file exists, then appends "end\r\n".
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void Mark(const std::wstring& marker, const char* line) {
    std::ofstream(std::filesystem::path(marker), std::ios::binary | std::ios::app) << line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring path = OwnPath();
    Mark(path + L".marker", "start\r\n");
    std::ifstream linger(std::filesystem::path(path + L".linger"));
    long milliseconds = 0;
    if (linger >> milliseconds) Sleep(static_cast<DWORD>(milliseconds));
    Mark(path + L".marker", "end\r\n");
    return 0;
}
