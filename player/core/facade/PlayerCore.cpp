#include "facade/PlayerCore.h"

#include "common/CommonHelpers.h"
#include "download/DownloadRecordStore.h"
#include "model/DataModel.h"
#include "playlist/PlayList.h"

CPlayerCore::CPlayerCore() : CPlayerCore(GetProgramFolder()) {}

CPlayerCore::CPlayerCore(const CString& folder) : m_pDataModel(new CDataModel(folder)) {
    m_pDataModel->Init();
    m_pPlayList.reset(new CPlayList(m_pDataModel->GetPlayRecordSql()));
    m_pDataModel->SetPlayList(m_pPlayList.get());
}

CPlayerCore::~CPlayerCore() = default;

std::unique_ptr<CDownloadRecordStore> CPlayerCore::CreateDownloadRecordStore() const {
    return m_pDataModel->CreateDownloadRecordStore();
}
