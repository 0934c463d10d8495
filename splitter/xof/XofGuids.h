// Identifiers of the ".xof" filters and byte stream.
#pragma once

#include <windows.h>

extern const CLSID CLSID_XofSplitter;
extern const CLSID CLSID_XofSource;
extern const GUID MEDIASUBTYPE_XOF;
