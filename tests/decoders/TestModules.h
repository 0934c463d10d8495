// The modules and media the decoder tests use: the built splitter and decoders,
// registered in the test prefix, and the generated media files.
#pragma once

#include "strmbase.h"

#include <string>

// A path of the build as the prefix sees it (through its drive of the file system).
std::wstring PrefixPath(const char* unixPath);
// A generated media file by name ("flv1_aac_2s").
std::wstring MediaFile(const char* name);
// Registers the splitter and the decoders (once per process); false when one fails.
bool RegisterTestModules();
