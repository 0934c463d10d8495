// Table UserPlayRecord: the play list, one list for all users.
#pragma once

#include <vector>

#include "db/CommonSql.h"
#include "playlist/PlayRecordInfo.h"

class CPlayRecordSql : public ICommonSql, public CCommonSql {
public:
    using CCommonSql::CCommonSql;

    // Rows of FilePath, AddTime, PlayTime, Consuming in list order.
    std::unique_ptr<SqlRows> Select(const CStringArray* args) override;
    void Save(const CStringArray*) override {}

    // Replaces the stored list with the items, in one transaction.
    void SaveList(const std::vector<PLAY_RECORD_INFO>& items);
};
