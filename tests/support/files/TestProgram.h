// The test program's own folder, and programs run from tests to their end.
#pragma once

#include <string>

// The path of name in the test program's folder (where the build puts helper programs).
std::wstring BesideTheTestProgram(const std::wstring& name);

// Runs commandLine (in folder, or the current one when empty) and waits at most
// timeoutMs; the exit code, or -1 when it could not start or did not end in time (it is
// then terminated).
int RunProgramToEnd(const std::wstring& commandLine, const std::wstring& folder, unsigned long timeoutMs);
