#include "web/AlbumPlist.h"

#include <cwchar>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "web/FileNamePart.h"

namespace {

constexpr LONGLONG kMegabyte = 1048576;

CString WithBackslash(CString folder) {
    AppendBackslash(folder);
    return folder;
}

// As wcstol with base 10 reads it: leading blanks and a sign, up to the first other character.
long DecimalOf(const CString& text) { return wcstol(text, nullptr, 10); }

bool IsValue(const CString& elementName) { return elementName == L"string" || elementName == L"integer"; }

}  // namespace

CAlbumPlist::CAlbumPlist(const CString& replyText)
    : CAlbumPlist(replyText, CUserConfig::GetInstance().GetDownloadConfig().GetDownloadPath(),
                  CUserConfig::GetInstance().GetCurrentUser()) {}

CAlbumPlist::CAlbumPlist(const CString& replyText, const CString& downloadFolder, const CString& userName)
    : Folder(WithBackslash(downloadFolder)), PlistText(replyText), UserName(userName) {}

bool CAlbumPlist::BuildDownloadList(std::vector<DOWNLOAD_LIST_ITEM>& list, const CString& sid, const CString& token) {
    if (PlistText.IsEmpty() || !Xml.SetDocument(PlistText)) return false;
    for (LPCWSTR name : {L"plist", L"array", L"dict"})
        if (!Xml.FindElement(name) || !Xml.EnterElement()) return false;
    bool found = false;
    while (!found && Xml.FindElement(L"key")) found = Xml.GetData() == L"kAlbumName";
    if (!found) return false;
    // The name is the value right after the key; the file array is the first after it.
    bool atArray = false;
    if (Xml.FindElement(L"")) {
        if (IsValue(Xml.GetName()))
            AlbumName = Xml.GetData();
        else
            atArray = Xml.GetName() == L"array";
    }
    if ((atArray || Xml.FindElement(L"array")) && Xml.EnterElement()) {
        while (Xml.FindElement(L"dict")) {
            if (!Xml.EnterElement()) break;
            ParseFileEntry(token, list, sid);
            Xml.LeaveElement();
        }
    }
    return !list.empty();
}

bool CAlbumPlist::ParseFileEntry(const CString& token, std::vector<DOWNLOAD_LIST_ITEM>& list, const CString& sid) {
    DOWNLOAD_TASK_INFO task;
    task.AlbumName = AlbumName;
    CString order, type;
    bool hasId = false;
    auto take = [&](const CString& key, const CString& value) {
        if (key == L"kFileID") {
            task.FileID = (int)DecimalOf(value);
            hasId = true;
        } else if (key == L"kFileName") {
            task.SectionName = value;
        } else if (key == L"kFileURL") {
            task.DownloadUrl = value;
            if (!token.IsEmpty() && !sid.IsEmpty()) {
                CString keys;
                keys.Format(L"%szemoid=%s&sid=%s", !value.IsEmpty() && value.Find(L'?') >= 0 ? L"&" : L"?",
                            (LPCWSTR)token, (LPCWSTR)sid);
                task.DownloadUrl += keys;
            }
        } else if (key == L"kFileOrder") {
            task.Sequence = (int)DecimalOf(value);
            order = value;
        } else if (key == L"kFileType") {
            type = value;
        } else if (key == L"kFileSize") {
            task.FileSize = (LONGLONG)DecimalOf(value) * kMegabyte;
        }
    };
    // Each key takes the value element right after it; a key followed by no value gets "".
    CString key;
    bool pending = false;
    while (Xml.FindElement(L"")) {
        CString name = Xml.GetName();
        if (name == L"key") {
            if (pending) take(key, CString());
            key = Xml.GetData();
            pending = true;
        } else if (pending && IsValue(name)) {
            take(key, Xml.GetData());
            pending = false;
        }
    }
    if (pending) take(key, CString());
    if (!hasId) return false;
    task.DownSize = 0;
    // The record keeps the texts as they came; only the file name is made safe.
    task.FilePath = Folder + SafeFileNamePart(AlbumName) + L"_" + SafeFileNamePart(order) + L"_" +
                    SafeFileNamePart(task.SectionName) + L"_" + SafeFileNamePart(UserName) + SafeFileNamePart(type);
    list.push_back(DOWNLOAD_LIST_ITEM(0, task));
    return true;
}
