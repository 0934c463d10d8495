// The modules and media the decoder tests use: the built splitter and decoders,
// registered in the test prefix, and the generated media files.
#pragma once

#include "dshow/RegistrationLock.h"
#include "strmbase.h"

#include <string>

// A generated media file by name ("flv1_aac_2s").
std::wstring MediaFile(const char* name);
// Registers the splitter and the decoders (once per process); false when one fails.
bool RegisterTestModules();
