// Texts from a service's reply used as parts of a file name.
#pragma once

#include <afx.h>

// The text with \ / : * ? " < > | and control characters replaced by "_", and "."
// and ".." (which name folders) made "_" and "__": the part stays one name inside
// its folder.
CString SafeFileNamePart(const CString& text);
