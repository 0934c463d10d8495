// Texts from a service's reply used as pieces of a file name.
#pragma once

#include <afx.h>

// The text with \ / : * ? " < > | and control characters replaced by "_", and "."
// and ".." (which name folders) made "_" and "__": the piece stays one name inside
// its folder.
CString SafePathPiece(const CString& text);
