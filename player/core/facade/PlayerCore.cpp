#include "facade/PlayerCore.h"

#include "common/CommonHelpers.h"
#include "db/DatabaseConnection.h"
#include "db/PlayRecordSql.h"
#include "playlist/PlayList.h"

CPlayerCore::CPlayerCore()
    : m_pDatabase(new CDatabaseConnection(GetDatabasePath())),
      m_pPlayRecordSql(new CPlayRecordSql(m_pDatabase.get())),
      m_pPlayList(new CPlayList(m_pPlayRecordSql.get())) {}

CPlayerCore::~CPlayerCore() = default;
