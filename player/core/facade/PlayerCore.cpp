#include "facade/PlayerCore.h"

#include "common/CommonHelpers.h"
#include "model/DataModel.h"
#include "playlist/PlayList.h"

CPlayerCore::CPlayerCore() : m_pDataModel(new CDataModel(GetProgramFolder())) {
    m_pDataModel->Init();
    m_pPlayList.reset(new CPlayList(m_pDataModel->GetPlayRecordSql()));
    m_pDataModel->SetPlayList(m_pPlayList.get());
}

CPlayerCore::~CPlayerCore() = default;
