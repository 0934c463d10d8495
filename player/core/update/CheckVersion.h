// One update check at start-up: asks the update client whether a newer version of the
// program exists, with what the client's files in the program folder say. Made on the
// stack for one check.
#pragma once

#include <afx.h>

#include "MendportInterface.h"

class CCheckVersion : public IMendportEvent {
public:
    // folder: the program folder, with its trailing backslash.
    explicit CCheckVersion(const CString& folder);

    // 3: no folder, no "Update\Mendport\Config.ini", no appName there, or no memory;
    // 1: the installed version or the update address cannot be read;
    // otherwise MendportPatch's result (2 and 3 are failures).
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
