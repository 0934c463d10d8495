// The update client's exchanges with the update service (protocol in
// portable/UpdateManifest.h). URLs are narrow text in the OEM code page, as callers
// give them; they are percent-encoded before they are sent.
#pragma once

#include <windows.h>

#include <string>

#include "UpdateManifest.h"

// The check, over by the deadline (a GetTickCount64() value); false when the service
// cannot be reached by then, answers with another status than 200, breaks the protocol,
// or offers an update that it did not sign.
bool AskUpdateService(const std::string& checkUrl, ULONGLONG deadline, UPDATE_MANIFEST& manifest);

// Downloads one file of the update into target (a new file); false, and no file left,
// when the service fails or the bytes differ from the file's size or SHA-256 digest.
bool FetchUpdateFile(const std::string& checkUrl, const std::string& version, const UPDATE_FILE& file,
                     const std::wstring& target);
