// What the client remembers of a version whose install failed in this installation:
// "Update\Mendport\Failed.ini", section "failed", keys "version" and "time" (seconds
// since 1601, UTC). The check does not offer that version again for a day, so that an
// update that cannot be installed does not keep the program from starting.
#pragma once

#include <string>

// clientFolder: the installation's "Update\Mendport\" folder, with its trailing backslash.
void RecordFailedInstall(const std::wstring& clientFolder, const std::string& version);
void ForgetFailedInstall(const std::wstring& clientFolder);
// True while the version's failed install is less than a day old.
bool IsHeldBack(const std::wstring& clientFolder, const std::string& version);
