#include "files/ScratchFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static std::atomic<unsigned> made{0};
    fs::path folder = fs::temp_directory_path() /
                      (L"zemo-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made));
    fs::remove_all(folder);
    if (!fs::create_directories(folder)) throw std::runtime_error("cannot make a temporary folder");
    m_path = folder.wstring() + L"\\";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(fs::path(m_path), ignored);
}

std::wstring ScratchFolder::Write(const std::wstring& relativePath, const std::string& bytes) const {
    fs::path path(File(relativePath));
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.wstring();
}

std::string ScratchFolder::Read(const std::wstring& relativePath) const {
    std::ifstream in(fs::path(File(relativePath)), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchFolder::Exists(const std::wstring& relativePath) const { return fs::exists(fs::path(File(relativePath))); }
