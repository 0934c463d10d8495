#include "facade/PlayerCore.h"

#include "common/CommonHelpers.h"
#include "db/DatabaseConnection.h"
#include "db/DownloadRecordSql.h"
#include "db/PlayRecordSql.h"
#include "download/DownloadRecordStore.h"
#include "playlist/PlayList.h"

CPlayerCore::CPlayerCore() : CPlayerCore(GetDatabasePath()) {}

CPlayerCore::CPlayerCore(const CString& databasePath)
    : m_pDatabase(new CDatabaseConnection(databasePath)),
      m_pPlayRecordSql(new CPlayRecordSql(m_pDatabase.get())),
      m_pPlayList(new CPlayList(m_pPlayRecordSql.get())),
      m_pDownloadRecordSql(new CDownloadRecordSql(m_pDatabase.get())) {}

CPlayerCore::~CPlayerCore() = default;

std::unique_ptr<CDownloadRecordStore> CPlayerCore::CreateDownloadRecordStore() const {
    return std::make_unique<CDownloadRecordStore>(m_pDownloadRecordSql.get());
}
