// Helpers shared across the player: program paths, debugger trace, text
// conversions, GUID names, folders and files, the command line, the program's
// version and the main window's screen geometry. Stateless; any thread may call them.
#pragma once

#include <afx.h>
#include <string>
#include <vector>

namespace Gdiplus {
class Bitmap;
class Image;
}  // namespace Gdiplus

// Program folder with its trailing backslash.
CString GetProgramFolder();
// A printf-style trace line to the debugger output (at most 1022 characters).
void DebugTrace(LPCWSTR format, ...);

CString GetDatabasePath();
CString GetDefaultDownloadFolder();
CString GetDefaultSkinFolder();
void AppendBackslash(CString& path);
bool CreateFolderTree(const CString& path);
bool IsFolderWritable(const CString& folder);
CString GuidToString(const GUID& guid);
CString GetTempFilePath();
CString GetFileNameFromPath(const CString& path);
CString GetFileTitleFromPath(const CString& path);
void DeleteFileIfExists(const CString& path);
// Size of path + ".temp" when it exists, else of path; 0 when neither opens.
LONGLONG GetDownloadedSize(const CString& path);
std::vector<CString> SplitString(const CString& text, LPCWSTR delimiters);
std::vector<CString> GetCommandLineArgs();
CString GetProductVersion();
CString BrowseForFolder(HWND owner);

// Screen geometry of the main window.
RECT GetBottomStripRect();
bool IsPointInBottomStrip(POINT point);
RECT GetDefaultMainWindowRect();
// The same two rectangles for a screen of the given size.
RECT BottomStripRectFor(int screenWidth, int screenHeight);
RECT DefaultMainWindowRectFor(int screenWidth, int screenHeight);

// Text conversions.
CString Utf8ToWide(const char* utf8);
char* WideToUtf8Buffer(const CString& text);
bool WideToUtf8(const CString& text, bool hasText, std::string& out);
CString AnsiToWide(const char* ansi);
CString Utf8ToGbk(const char* utf8, int length);
CString HttpGetTextAsGbk(const CString& url);
int CStringToInt(const CString& text);
CString IntToCString(int value);

// A new bitmap of the given size, transparent white, with the image drawn at (2, 2).
Gdiplus::Bitmap* CreateButtonBitmap(Gdiplus::Image* image, int width, int height);
