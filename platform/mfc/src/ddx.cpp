#include "afxwin.h"

#include <limits>

namespace {
// Shown when a field holds no whole number in range.
const TCHAR kNotAnInteger[] = _T("请输入一个整数。");

// The whole number of the text (spaces around it allowed); false for anything else
// and for a value outside [low, high].
bool ParseWhole(const CString& text, long long low, long long high, long long& value) {
    CString t = text;
    t.Trim();
    int i = 0;
    bool negative = false;
    if (i < t.GetLength() && (t[i] == _T('+') || t[i] == _T('-'))) negative = t[i++] == _T('-');
    if (i == t.GetLength()) return false;
    long long magnitude = 0;
    for (; i < t.GetLength(); ++i) {
        if (t[i] < _T('0') || t[i] > _T('9')) return false;
        magnitude = magnitude * 10 + (t[i] - _T('0'));
        if (magnitude > high + 1 && magnitude > -low) return false;  // out of range already
    }
    value = negative ? -magnitude : magnitude;
    return value >= low && value <= high;
}

template <class T>
void ExchangeWhole(CDataExchange* dx, int id, T& value) {
    HWND control = dx->PrepareEditCtrl(id);
    CString text;
    if (!dx->m_bSaveAndValidate) {
        text.Format(std::numeric_limits<T>::is_signed ? _T("%lld") : _T("%llu"), (long long)value);
        ::SetWindowText(control, text);
        return;
    }
    CWnd::FromHandle(control)->GetWindowText(text);
    long long parsed = 0;
    if (!ParseWhole(text, (long long)std::numeric_limits<T>::min(), (long long)std::numeric_limits<T>::max(), parsed)) {
        AfxMessageBox(kNotAnInteger, MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = (T)parsed;
}
}  // namespace

void AfxThrowUserException() { throw new CUserException; }

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) Fail();
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl) {
        // The field that failed gets the focus, an edit field with its text selected.
        ::SendMessage(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, (WPARAM)m_hWndLastControl, TRUE);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    if (!control.SubclassWindow(dx->PrepareCtrl(id))) dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeWhole(dx, id, value); }

void DDX_Text(CDataExchange* dx, int id, UINT& value) { ExchangeWhole(dx, id, value); }

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        CWnd::FromHandle(control)->GetWindowText(value);
    else
        ::SetWindowText(control, value);
}
