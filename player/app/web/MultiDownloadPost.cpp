#include "web/MultiDownloadPost.h"

#include <memory>

#include "account/LoginAccount.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "net/HttpHelpers.h"
#include "web/AlbumPlist.h"
#include "web/MultiDownloadBody.h"

bool PostMultiDownload(HWND progressWindow, const CString& url, const std::vector<BYTE>& postData) {
    std::string body = RewriteMultiDownloadBody(postData);
    CString error;
    CString reply = HttpPost(error, progressWindow, url, body.c_str(), (int)body.size(),
                             L"Content-Type: application/x-www-form-urlencoded");
    CAlbumPlist album(reply);
    CAppFacade& facade = CAppFacade::GetInstance();
    CString sid = facade.GetCurrentAccount() ? facade.GetCurrentAccount()->Sid : CString();
    std::unique_ptr<std::vector<DOWNLOAD_LIST_ITEM>> list(new std::vector<DOWNLOAD_LIST_ITEM>);
    if (!album.BuildDownloadList(*list, sid, facade.GetAccountToken())) return false;
    // The download control takes the list over.
    facade.Broadcast(CMD_ADD_DOWNLOADS, list.release());
    return true;
}
