// One update check at start-up: asks the update client whether a newer version of the
// program exists, with what the client's files in the program folder say. Made on the
// stack for one check.
#pragma once

#include <afx.h>

#include "MendportInterface.h"

// Check's own results besides MendportPatch's.
enum CHECK_VERSION_RESULT {
    CHECK_NO_VERSION_OR_ADDRESS = 1,  // the installed version or the update address cannot be read
    CHECK_NO_CLIENT_SETTINGS = 3,     // no folder, no "Update\Mendport\Config.ini", no appName there, or no memory
};

// The results that count as a failed check.
inline bool IsFailedCheck(int result) { return result == MENDPORT_CHECK_FAILED || result == MENDPORT_BAD_ARGUMENTS; }

class CCheckVersion : public IMendportEvent {
public:
    // folder: the program folder, with its trailing backslash.
    explicit CCheckVersion(const CString& folder);

    // CHECK_NO_CLIENT_SETTINGS, CHECK_NO_VERSION_OR_ADDRESS, MENDPORT_CHECK_FAILED when
    // the folder has no "MendportInterface.dll" with MendportPatch, or else
    // MendportPatch's result. The client is loaded from the folder for the call only.
    int Check();
    // Set by the client's callback when it has found a newer version.
    bool IsNewerVersion() const { return m_bNewerVersion; }

    // The client's callbacks; only OnNewerVersion does something.
    void OnDownloadProgress(int, unsigned int, unsigned int) override {}
    void OnDownloadFinished(int) override {}
    void OnDecompressProgress(int, int) override {}
    void OnCheckFileProgress(int, int) override {}
    void OnCheckStarted() override {}
    bool OnNewerVersion() override;
    void OnCheckFinished(int, int) override {}

private:
    // The first 30 bytes of "\update\version.dat", up to a zero byte, widened byte by byte.
    bool ReadVersion(CString& version) const;
    // "host[:port][/path]" from "\Update\Mendport\SocketConfig.ini".
    bool GetUpdateAddress(CString& address) const;

    CString m_strFolder;  // without its trailing backslash: the files' names begin with one
    bool m_bNewerVersion = false;
};
