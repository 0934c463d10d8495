// The two catalogue lists of the main window: video categories and the most
// recently uploaded videos, fetched as XML from the point service.
#pragma once

#include <memory>
#include <vector>

#include "web/WebInfo.h"
#include "web/WebUriGettor.h"

using WebInfoList = std::vector<std::unique_ptr<BASE_WEB_INFO>>;

class CBaseWebList {
public:
    virtual ~CBaseWebList() = default;
    // The list's complete items in reply order; none when the reply is missing or no XML.
    virtual std::unique_ptr<WebInfoList> Fetch() = 0;
};

// Items are BASE_WEB_INFO (category name, url).
class CVideoListManager : public CBaseWebList, public CWebUriGettor {
public:
    std::unique_ptr<WebInfoList> Fetch() override;
};

// Items are WEB_INFO_NEWESE_VIDEO; the service is asked for ten.
class CRecentUploadListManager : public CBaseWebList, public CWebUriGettor {
public:
    std::unique_ptr<WebInfoList> Fetch() override;
};
