#include "CommonHelpers.h"

#include <afxinet.h>
#include <rpc.h>
#include <shellapi.h>
#include <shlobj.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "Utf8Text.h"

namespace {

constexpr int kTraceBufferChars = 1024;
constexpr int kTraceMaxChars = 1022;
constexpr int kBottomStripHeight = 65;
constexpr int kMainWindowMaxWidth = 1280;
constexpr int kMainWindowMaxHeight = 753;

// Converts bytes of one code page into UTF-16.
CString DecodeBytes(UINT codePage, const char* bytes, int length) {
    if (!bytes || length == 0) return CString();
    int n = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    if (n <= 0) return CString();
    CString text;
    MultiByteToWideChar(codePage, 0, bytes, length, text.GetBuffer(n), n);
    text.ReleaseBuffer(n);
    return text;
}

// Encodes UTF-16 into one code page; false when the conversion fails.
bool EncodeText(UINT codePage, const CString& text, std::string& out) {
    out.clear();
    if (text.IsEmpty()) return true;
    int n = WideCharToMultiByte(codePage, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return false;
    out.resize((size_t)n);
    return WideCharToMultiByte(codePage, 0, text, text.GetLength(), &out[0], n, nullptr, nullptr) == n;
}

}  // namespace

CString GetProgramFolder() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    int slash = folder.ReverseFind(L'\\');
    return slash < 0 ? folder : folder.Left(slash + 1);
}

void DebugTrace(LPCWSTR format, ...) {
    WCHAR buffer[kTraceBufferChars];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, kTraceMaxChars, format, args);
    va_end(args);
    buffer[kTraceMaxChars] = 0;
    OutputDebugStringW(buffer);
}

CString GetDatabasePath() {
    CString path = GetProgramFolder();
    AppendBackslash(path);
    return path + L"zemo.db3";
}

CString GetDefaultDownloadFolder() {
    CString folder = GetProgramFolder() + L"DownloadFiles";
    SHCreateDirectoryExW(nullptr, folder, nullptr);
    return folder;
}

CString GetDefaultSkinFolder() { return L"Images\\default\\"; }

void AppendBackslash(CString& path) {
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\') path += L'\\';
}

bool CreateFolderTree(const CString& path) {
    if (path.IsEmpty()) return false;
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A trailing backslash names the same folder (C:\a\ is C:\a).
    if (path[path.GetLength() - 1] == L'\\') return CreateFolderTree(path.Left(path.GetLength() - 1));
    int slash = path.ReverseFind(L'\\');
    if (slash <= 0) return false;
    CString parent = path.Left(slash);
    // "C:" is a drive, not a folder to create.
    if (!(parent.GetLength() == 2 && parent[1] == L':') && !CreateFolderTree(parent)) return false;
    return CreateDirectoryW(path, nullptr) != FALSE;
}

bool IsFolderWritable(const CString& folder) {
    GUID guid;
    if (UuidCreate(&guid) != RPC_S_OK) return false;
    CString probe = folder + GuidToString(guid) + L".xof";
    HANDLE file =
        CreateFileW(probe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(probe);
    return true;
}

CString GuidToString(const GUID& guid) {
    RPC_WSTR text = nullptr;
    if (UuidToStringW(const_cast<GUID*>(&guid), &text) != RPC_S_OK || !text) return CString();
    CString result((LPCWSTR)text);
    RpcStringFreeW(&text);
    return result.MakeLower();
}

CString GetTempFilePath() {
    WCHAR folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    CString path(folder);
    AppendBackslash(path);
    GUID guid;
    UuidCreate(&guid);
    return path + GuidToString(guid);
}

CString GetFileNameFromPath(const CString& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

CString GetFileTitleFromPath(const CString& path) {
    int slash = path.ReverseFind(L'\\');
    int dot = path.ReverseFind(L'.');
    if (slash < 0 || dot < slash) return CString();
    return path.Mid(slash + 1, dot - slash - 1);
}

void DeleteFileIfExists(const CString& path) {
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) DeleteFileW(path);
}

LONGLONG GetDownloadedSize(const CString& path) {
    CString temp = path + L".temp";
    const CString& existing = GetFileAttributesW(temp) != INVALID_FILE_ATTRIBUTES ? temp : path;
    HANDLE file = CreateFileW(existing, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER size;
    LONGLONG result = GetFileSizeEx(file, &size) ? size.QuadPart : 0;
    CloseHandle(file);
    return result;
}

std::vector<CString> SplitString(const CString& text, LPCWSTR delimiters) {
    std::vector<CString> pieces;
    int start = 0;
    for (CString piece = text.Tokenize(delimiters, start); start >= 0; piece = text.Tokenize(delimiters, start))
        if (!piece.IsEmpty()) pieces.push_back(piece);
    return pieces;
}

std::vector<CString> GetCommandLineArgs() {
    std::vector<CString> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 0; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

CString GetProductVersion() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return CString();
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return CString();
    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", (LPVOID*)&translations, &length) ||
        length < sizeof(Translation))
        return CString();
    CString key;
    key.Format(L"\\StringFileInfo\\%04x%04x\\ProductVersion", translations[0].language, translations[0].codePage);
    LPCWSTR version = nullptr;
    if (!VerQueryValueW(data.data(), key, (LPVOID*)&version, &length) || !version) return CString();
    return CString(version);
}

CString BrowseForFolder(HWND owner) {
    PIDLIST_ABSOLUTE drives = nullptr;
    SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &drives);
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pidlRoot = drives;
    info.lpszTitle = L"请选择目录";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    CString path;
    if (chosen) {
        WCHAR buffer[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, buffer)) path = buffer;
        CoTaskMemFree(chosen);
    }
    if (drives) CoTaskMemFree(drives);
    return path;
}

RECT BottomStripRectFor(int screenWidth, int screenHeight) {
    return RECT{0, screenHeight - kBottomStripHeight, screenWidth, screenHeight};
}

RECT DefaultMainWindowRectFor(int screenWidth, int screenHeight) {
    int width = screenWidth < kMainWindowMaxWidth ? screenWidth : kMainWindowMaxWidth;
    int height = screenHeight < kMainWindowMaxHeight ? screenHeight : kMainWindowMaxHeight;
    int left = (screenWidth - width) / 2;
    int top = (screenHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

RECT GetBottomStripRect() { return BottomStripRectFor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)); }

bool IsPointInBottomStrip(POINT point) {
    RECT strip = GetBottomStripRect();
    return PtInRect(&strip, point) != FALSE;
}

RECT GetDefaultMainWindowRect() {
    return DefaultMainWindowRectFor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

CString Utf8ToWide(const char* utf8) { return utf8 ? CString(DecodeUtf8(utf8).c_str()) : CString(); }

char* WideToUtf8Buffer(const CString& text) {
    std::string bytes;
    EncodeText(CP_UTF8, text, bytes);
    char* buffer = new char[bytes.size() + 1];
    memcpy(buffer, bytes.c_str(), bytes.size() + 1);
    return buffer;
}

bool WideToUtf8(const CString& text, bool hasText, std::string& out) {
    if (!hasText) {
        out.clear();
        return true;
    }
    return EncodeText(CP_UTF8, text, out);
}

CString AnsiToWide(const char* ansi) { return ansi ? DecodeBytes(CP_ACP, ansi, (int)strlen(ansi)) : CString(); }

CString Utf8ToGbk(const char* utf8, int length) {
    std::string gbk;
    if (!utf8 || length <= 0 || !EncodeText(936, DecodeBytes(CP_UTF8, utf8, length), gbk)) return CString();
    return DecodeBytes(CP_ACP, gbk.data(), (int)gbk.size());
}

CString HttpGetTextAsGbk(const CString& url) {
    std::string body;
    try {
        CInternetSession session;
        std::unique_ptr<CHttpFile> file(session.OpenURL(url, 1, INTERNET_FLAG_TRANSFER_ASCII));
        char piece[4096];
        for (UINT n; (n = file->Read(piece, sizeof(piece))) > 0;) body.append(piece, n);
    } catch (CInternetException* e) {
        e->Delete();
        return CString();
    }
    return Utf8ToGbk(body.data(), (int)body.size());
}

int CStringToInt(const CString& text) { return _wtoi(text); }

CString IntToCString(int value) {
    CString text;
    text.Format(L"%d", value);
    return text;
}

Gdiplus::Bitmap* CreateButtonBitmap(Gdiplus::Image* image, int width, int height) {
    auto* bitmap = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(bitmap);
    graphics.Clear(Gdiplus::Color(0, 255, 255, 255));
    if (image) graphics.DrawImage(image, 2, 2, (INT)image->GetWidth(), (INT)image->GetHeight());
    return bitmap;
}
