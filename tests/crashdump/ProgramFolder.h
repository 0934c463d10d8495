// A scratch folder with copies of the test helper programs (built beside the test
// program) under the names the crash road uses, which it runs and watches.
#pragma once

#include <windows.h>

#include <string>

#include "files/ScratchFolder.h"

class ProgramFolder : public ScratchFolder {
public:
    // Copies the helper program (e.g. L"stub_program.exe") into the folder as name.
    void Install(const std::wstring& helper, const std::wstring& name) const;
    // Starts name with arguments; the process handle (the caller closes it).
    HANDLE Start(const std::wstring& name, const std::wstring& arguments = L"") const;
    // Runs name to its end, at most 60 s; false when it did not end.
    bool Run(const std::wstring& name, const std::wstring& arguments = L"") const;
    // The stub program's marker for name once it reads expected (at most 20 s), else as it is then.
    std::string WaitForMarker(const std::wstring& name, const std::string& expected) const;
    // The folder's path in the ANSI code page, with its trailing backslash.
    std::string AnsiPath() const;
};

// Lines of the stub program's marker.
constexpr const char* ONE_RUN = "start\r\nend\r\n";
