#include "xml/XmlDoc.h"

#include <string>

#include "ScopedHandle.h"
#include "xml/portable/XmlCharsets.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the document text is UTF-16");

namespace {

// Code pages whose conversion cannot report replaced characters.
bool RefusesDefaultCharReport(UINT codePage) {
    return (codePage >= 50220 && codePage <= 50222) || codePage == 50225 || codePage == 50227 || codePage == 50229 ||
           codePage == 52936 || codePage == 54936 || (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
           codePage == 65001;
}

// The text in the code page; false when a character does not convert.
bool Encode(const std::u16string& text, UINT codePage, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    const LPCWSTR wide = reinterpret_cast<LPCWSTR>(text.data());
    const int length = (int)text.size();
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    BOOL usedDefault = FALSE;
    LPBOOL report = RefusesDefaultCharReport(codePage) ? nullptr : &usedDefault;
    int n = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, nullptr, report);
    if (n <= 0 || usedDefault) return false;
    bytes.resize((size_t)n);
    return WideCharToMultiByte(codePage, flags, wide, length, &bytes[0], n, nullptr, report) == n && !usedDefault;
}

// Writes the bytes to a new file beside the path, then puts it in the path's place.
bool ReplaceFileWith(const CString& path, const std::string& bytes) {
    int slash = path.ReverseFind(L'\\');
    CString folder = slash < 0 ? CString(L".") : path.Left(slash + 1);
    WCHAR temporary[MAX_PATH];
    if (!GetTempFileNameW(folder, L"xml", 0, temporary)) return false;
    bool written = false;
    {
        CScopedHandle file(
            CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD count = 0;
        written = file &&
                  (bytes.empty() || (WriteFile(file.Get(), bytes.data(), (DWORD)bytes.size(), &count, nullptr) &&
                                     count == bytes.size())) &&
                  FlushFileBuffers(file.Get()) && file.Close();
    }
    if (written && MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temporary);
    return false;
}

}  // namespace

bool CXmlDoc::SetDocument(LPCWSTR text) { return m_core.SetDocument(Chars(text), text ? wcslen(text) : 0); }

CString CXmlDoc::GetData() const {
    std::u16string data = m_core.GetData();
    return CString(reinterpret_cast<LPCWSTR>(data.data()), (int)data.size());
}

CString CXmlDoc::GetName() const {
    std::u16string name = m_core.GetName();
    return CString(reinterpret_cast<LPCWSTR>(name.data()), (int)name.size());
}

bool CXmlDoc::SaveFile(LPCWSTR path) const {
    if (!path || !*path) return false;
    std::u16string encoding = m_core.GetDeclaredEncoding();
    UINT codePage = xml::CodePageOfCharset(encoding.data(), encoding.size());
    std::string bytes;
    return Encode(m_core.GetDocument(), codePage ? codePage : CP_ACP, bytes) && ReplaceFileWith(path, bytes);
}
