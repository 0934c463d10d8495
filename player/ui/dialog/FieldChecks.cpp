#include "dialog/FieldChecks.h"

const wchar_t CHECK_CAPTION[] = L"提示";
const wchar_t DIGITS_CHECK_MESSAGE[] = L"输入中包含非法字符,只能输入整数";

bool HasOnlyDigits(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < L'0' || text[i] > L'9') return false;
    return true;
}

WHOLE_NUMBER_CHECK CheckWholeNumber(const CString& text, int low, int high, int& value) {
    if (!HasOnlyDigits(text)) return WHOLE_NUMBER_NOT_DIGITS;
    if (text.IsEmpty()) return WHOLE_NUMBER_OUT_OF_RANGE;
    // Stops counting once past the bounds, so that no length of digits wraps round.
    long long number = 0;
    for (int i = 0; i < text.GetLength() && number <= high; ++i) number = number * 10 + (text[i] - L'0');
    if (number < low || number > high) return WHOLE_NUMBER_OUT_OF_RANGE;
    value = (int)number;
    return WHOLE_NUMBER_OK;
}

CString RangeCheckMessage(int low, int high) {
    CString text;
    text.Format(L"请输入[%d,%d]之间的值。", low, high);
    return text;
}
