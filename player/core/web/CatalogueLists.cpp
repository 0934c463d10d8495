#include "web/CatalogueLists.h"

#include "common/CommonHelpers.h"
#include "net/HttpHelpers.h"
#include "web/portable/CatalogueReplies.h"

namespace {

using ListParser = bool (*)(const std::u16string&, std::vector<CATALOGUE_ITEM>&);

// The parsed items of the point service's reply to the query; false when there is
// no reply or it is no XML.
bool FetchItems(const wchar_t* query, ListParser parse, std::vector<CATALOGUE_ITEM>& items) {
    CString url = CWebUriGettor::GetUri(L"point_get", L"/controller_ashx", true, CString(), CString()) + query;
    CString reply = HttpGetText(url);
    if (reply.IsEmpty()) return false;
    std::u16string text(reinterpret_cast<const char16_t*>(reply.GetString()), (size_t)reply.GetLength());
    return parse(text, items);
}

CString Wide(const std::string& utf8) { return Utf8ToWide(utf8.c_str()); }

}  // namespace

std::unique_ptr<WebInfoList> CVideoListManager::Fetch() {
    std::vector<CATALOGUE_ITEM> items;
    if (!FetchItems(L"?action=getcate", ParseCategoryList, items)) return nullptr;
    auto list = std::make_unique<WebInfoList>();
    for (const CATALOGUE_ITEM& item : items)
        list->push_back(std::make_unique<BASE_WEB_INFO>(Wide(item.Name), Wide(item.Url)));
    return list;
}

std::unique_ptr<WebInfoList> CRecentUploadListManager::Fetch() {
    std::vector<CATALOGUE_ITEM> items;
    if (!FetchItems(L"?action=newlist&count=10", ParseRecentUploadList, items)) return nullptr;
    auto list = std::make_unique<WebInfoList>();
    for (const CATALOGUE_ITEM& item : items)
        list->push_back(std::make_unique<WEB_INFO_NEWESE_VIDEO>(Wide(item.Name), Wide(item.Url), Wide(item.ImageUrl),
                                                                Wide(item.Brief), Wide(item.Price)));
    return list;
}
