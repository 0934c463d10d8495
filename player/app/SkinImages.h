// Paths of the default skin's images in the program folder.
#pragma once

#include <afx.h>

CString SkinImage(LPCWSTR name);
