// Table AllConfig: the one row of window settings shared by all users.
#pragma once

#include "db/CommonSql.h"

class CAllConfigSql : public ICommonSql, public CCommonSql {
public:
    using CCommonSql::CCommonSql;

    std::unique_ptr<SqlRows> Select(const CStringArray* args) override;
    // Name/value pairs: updates every row, or inserts the first one.
    void Save(const CStringArray* pairs) override;
};
