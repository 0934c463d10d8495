// Table DownloadRecord: the download tasks of each user.
#pragma once

#include "db/CommonSql.h"

// The download store's operations on the table.
class IDownlowndSql {
public:
    // [0] UserName, [1] FileID, [2] DownSize.
    virtual void UpdateDownSize(const CStringArray* args) = 0;
    // [0] UserName, [1] FilePath (compared without regard to case) -> rows of AlbumName, SectionName.
    virtual std::unique_ptr<SqlRows> SelectAlbumSection(const CStringArray* args) = 0;
    // Rows of UserName, FileID, FilePath, FileSize, DownSize, DownloadUrl, Sequence,
    // AlbumName, SectionName, in one transaction. A row with Sequence "0" or without
    // album data only updates the record that exists.
    virtual void SaveList(const std::vector<CStringArray>& rows) = 0;
    // Rows of UserName, FileID, in one transaction.
    virtual void DeleteList(const std::vector<CStringArray>& rows) = 0;

protected:
    ~IDownlowndSql() = default;
};

class CDownloadRecordSql : public ICommonSql, public CCommonSql, public IDownlowndSql {
public:
    using CCommonSql::CCommonSql;

    // [0] the user name. Rows: FileID, FilePath, FileSize, DownSize, DownloadUrl and
    // state, 1 for a finished download.
    std::unique_ptr<SqlRows> Select(const CStringArray* args) override;
    void Save(const CStringArray*) override {}

    void UpdateDownSize(const CStringArray* args) override;
    std::unique_ptr<SqlRows> SelectAlbumSection(const CStringArray* args) override;
    void SaveList(const std::vector<CStringArray>& rows) override;
    void DeleteList(const std::vector<CStringArray>& rows) override;
};
