// The album list that the service answers the multi-download form with, turned into
// download tasks.
//
// The reply is a property list: plist > array > dict (the album: only the first is
// read) with the key "kAlbumName" and its value, then an array of dict file entries,
// each a run of key elements, every one followed by its value (a string or integer
// element). File keys: kFileID, kFileName, kFileURL, kFileOrder, kFileType, kFileSize
// (whole megabytes); keys are compared exactly, others are ignored.
#pragma once

#include <afx.h>

#include <vector>

#include "download/DownloadRecords.h"
#include "xml/XmlDoc.h"

class CAlbumPlist {
public:
    // The download folder and the current user from the settings.
    explicit CAlbumPlist(const CString& replyText);
    CAlbumPlist(const CString& replyText, const CString& downloadFolder, const CString& userName);

    // Appends one item per file entry of the first album; true when the list holds an
    // item afterwards. Entries without "kFileID" are skipped (rows are keyed by it).
    bool BuildDownloadList(std::vector<DOWNLOAD_LIST_ITEM>& list, const CString& sid, const CString& token);
    // Reads the current file entry (the reader inside its dict) and appends its item;
    // false when it was skipped.
    bool ParseFileEntry(const CString& token, std::vector<DOWNLOAD_LIST_ITEM>& list, const CString& sid);

    const CString& GetAlbumName() const { return AlbumName; }

private:
    CString Folder;  // ends in "\"
    CString PlistText;
    CXmlDoc Xml;
    CString AlbumName;
    CString UserName;
};
