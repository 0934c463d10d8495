// What the crash-report sender reads: the crash hand-off "CrashConfig.ini" and its own
// "Mailer.ini", both beside it.
#pragma once

#include <string>

// The crash files as the recorder left them. A folder has no trailing backslash; an
// empty name means no such file.
struct CRASH_FILES {
    std::string playerPath;  // "CashExe Path"
    std::string logFolder;
    std::string logName;
    std::string dumpFolder;
    std::string dumpName;

    std::string LogPath() const { return logFolder + "\\" + logName; }
    std::string DumpPath() const { return dumpFolder + "\\" + dumpName; }
};

// Each file's folder is its configured one ("Log Path", "Dump Path") or else the player's.
CRASH_FILES ReadCrashFiles(const std::string& configPath);

// "User Info" of "Mailer.ini".
struct MAILER_SETTINGS {
    std::string server;  // "IP": host, optionally with ":port"
    std::string mailName;
    std::string mailTo;
    std::string reboot;

    // Exactly "YES" restarts the crashed player.
    bool Reboot() const { return reboot == "YES"; }
};

MAILER_SETTINGS ReadMailerSettings(const std::string& mailerPath);

// A value of an INI file, whole however long it is; "" when missing.
std::string ReadIniText(const std::string& path, const char* section, const char* key);
// The running program's folder with its trailing backslash.
std::string ProgramFolder();
// The file's size in bytes divided by 1000, as "%.2fKB"; "0.00KB" when it cannot be opened.
std::string FileSizeText(const std::string& path);
