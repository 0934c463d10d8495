// The checks of the dialogs' whole-number fields and their messages, shown in a
// message box captioned CHECK_CAPTION.
#pragma once

#include <afx.h>

extern const wchar_t CHECK_CAPTION[];
extern const wchar_t DIGITS_CHECK_MESSAGE[];

enum WHOLE_NUMBER_CHECK {
    WHOLE_NUMBER_OK,
    WHOLE_NUMBER_NOT_DIGITS,    // holds a character other than "0" to "9"
    WHOLE_NUMBER_OUT_OF_RANGE,  // empty, or a number outside the bounds (however long)
};

// True for an empty text or one of the digits "0" to "9" only.
bool HasOnlyDigits(const CString& text);
// Reads a field for a number within [low, high]; value is set only when it is.
WHOLE_NUMBER_CHECK CheckWholeNumber(const CString& text, int low, int high, int& value);
// "请输入[low,high]之间的值。"
CString RangeCheckMessage(int low, int high);
