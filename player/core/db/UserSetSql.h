// Table UserConfig: one row of settings per user name.
#pragma once

#include "db/CommonSql.h"

class CUserSetSql : public ICommonSql, public CCommonSql {
public:
    using CCommonSql::CCommonSql;

    // [0] the user name. Row: DownloadPath, DownloadNum, AutoDownload, RelinkTimes,
    // Mute, Volume, PlayOrder, AutoAdd2PlayList.
    std::unique_ptr<SqlRows> Select(const CStringArray* args) override;
    // Name/value pairs, UserName among them: inserts or replaces that user's row.
    void Save(const CStringArray* pairs) override;
};
