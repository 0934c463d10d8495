#include "SkinImages.h"

#include "common/CommonHelpers.h"

CString SkinImage(LPCWSTR name) { return GetProgramFolder() + GetDefaultSkinFolder() + name; }
