#include "element/ElementVideoTab.h"

#include <map>
#include <memory>
#include <vector>

#include "common/CommonHelpers.h"
#include "ctrl/BaseCtrlManager.h"
#include "element/ListItems.h"
#include "element/ServiceText.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"
#include "web/WebInfo.h"
#include "window/BaseWnd.h"

namespace {

const wchar_t kPlayListId[] = L"tab-video-list";
const wchar_t kPlayingId[] = L"playing-video";

void RefreshMainWindow() {
    if (IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd()) main->RefreshPlayState();
}

void BroadcastPlayFile(CString path) { CAppFacade::GetInstance().Broadcast(CMD_PLAY_FILE, &path); }

void RemoveListItems(const htmlayout::dom::element& list, std::vector<htmlayout::dom::element>& removed) {
    list.select_all(removed, ":root > li");
    for (htmlayout::dom::element& item : removed) item.remove();
}

}  // namespace

htmlayout::dom::element CElementVideoTab::PlayList() const {
    return m_pManager ? m_pManager->GetElementById(kPlayListId) : htmlayout::dom::element();
}

bool CElementVideoTab::InMainWindow() const {
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    CBaseWnd* owner = m_pManager ? m_pManager->GetOwner() : nullptr;
    return main && owner && owner->GetSafeHwnd() && owner->GetSafeHwnd() == main->AsWindow()->GetSafeHwnd();
}

void CElementVideoTab::ClearPlayingMark() {
    if (!m_pManager) return;
    htmlayout::dom::element playing = m_pManager->GetRootElement().select_first("li[id=\"playing-video\"]");
    if (playing.is_valid()) HTMLayoutSetAttributeByName(playing, "id", L"");
}

void CElementVideoTab::SetPlayingItem(HELEMENT item) {
    ClearPlayingMark();
    HTMLayoutSetAttributeByName(item, "id", kPlayingId);
}

void CElementVideoTab::MarkPlayingByPath(const CString& path) {
    if (path.IsEmpty()) return;
    htmlayout::dom::element item = FindListItem(PlayList(), "path", path);
    if (!item.is_valid()) return;
    SetPlayingItem(item);
    HTMLayoutScrollToView(item, SCROLL_TO_TOP | SCROLL_SMOOTH);
}

void CElementVideoTab::AddPlayListItem(const CString& path, const CString& title, bool mark) {
    htmlayout::dom::element list = PlayList();
    // The model takes no empty path, and the page keeps to the model.
    if (!list.is_valid() || path.IsEmpty()) return;
    if (!FindListItem(list, "path", path).is_valid())
        AppendChild(list,
                    CreateHtmlElement("li", title, {{"class", L"right-viedo-list-current-item"}, {"path", path}}));
    if (mark) MarkPlayingByPath(path);
}

void CElementVideoTab::AddItemAndShowList(const CString& path, const CString& title, bool mark) {
    AddPlayListItem(path, title, mark);
    if (!m_pManager) return;
    htmlayout::dom::element tab = m_pManager->GetRootElement().select_first("[panel=\"tab-video-list\"]");
    if (!tab.is_valid()) return;
    HTMLayoutSendEvent(tab, ACTIVATE_CHILD, tab, 0, nullptr);
    CAppFacade::GetInstance().AddItem(path);
}

void CElementVideoTab::PlayItem(HELEMENT he) {
    htmlayout::dom::element item = htmlayout::dom::child_holding(PlayList(), he);
    if (!item.is_valid()) return;
    SetPlayingItem(item);
    BroadcastPlayFile(item.get_attribute("path"));
}

void PlayItemPath(HELEMENT he) {
    htmlayout::dom::element item = htmlayout::dom::element(he).matching_ancestor("[path]");
    if (item.is_valid()) BroadcastPlayFile(item.get_attribute("path"));
}

void CElementVideoTab::SwapWithSibling(HELEMENT he, bool next) {
    htmlayout::dom::element list = PlayList();
    htmlayout::dom::element item = htmlayout::dom::child_holding(list, he);
    if (!item.is_valid()) return;
    htmlayout::dom::element other = next ? item.sibling_after() : item.sibling_before();
    if (!other.is_valid()) return;
    CAppFacade::GetInstance().SwapItems(item.get_attribute("path"), other.get_attribute("path"));
    HTMLayoutSwapElements(item, other);
    HTMLayoutUpdateElement(list, TRUE);
    HTMLayoutScrollToView(item, 0);
    RefreshMainWindow();
}

void CElementVideoTab::MoveItemDown(HELEMENT he) { SwapWithSibling(he, true); }

void CElementVideoTab::MoveItemUp(HELEMENT he) { SwapWithSibling(he, false); }

void CElementVideoTab::DeleteItem(HELEMENT he) {
    htmlayout::dom::element item = htmlayout::dom::child_holding(PlayList(), he);
    if (!item.is_valid()) return;
    CAppFacade::GetInstance().RemoveItem(item.get_attribute("path"));
    RefreshMainWindow();
    item.remove();
}

void CElementVideoTab::RemoveItemByPath(const CString& path) {
    htmlayout::dom::element item = FindListItem(PlayList(), "path", path);
    if (item.is_valid()) DeleteItem(item);
}

void CElementVideoTab::RemoveAllItems(bool flag) {
    htmlayout::dom::element list = PlayList();
    if (!list.is_valid()) return;
    std::vector<htmlayout::dom::element> removed;
    RemoveListItems(list, removed);
    if (!removed.empty()) CAppFacade::GetInstance().Broadcast(CMD_CLEAR_PLAY_LIST, &flag);
    RefreshMainWindow();
}

void CElementVideoTab::ReloadItems() {
    RemoveAllItems(false);
    CAppFacade& facade = CAppFacade::GetInstance();
    std::unique_ptr<CStringArray> paths = facade.GetPlayListPaths(true);
    if (!paths) return;
    for (INT_PTR i = 0; i < paths->GetSize(); ++i)
        AddPlayListItem((*paths)[i], facade.GetDisplayTitle((*paths)[i]), false);
}

void CElementVideoTab::SortItems() {
    htmlayout::dom::element list = PlayList();
    if (!InMainWindow() || !list.is_valid()) return;
    CAppFacade& facade = CAppFacade::GetInstance();
    std::vector<CString> paths, titles;
    if (std::unique_ptr<CStringArray> all = facade.GetPlayListPaths(false))
        for (INT_PTR i = 0; i < all->GetSize(); ++i) {
            paths.push_back((*all)[i]);
            titles.push_back(facade.GetDisplayTitle((*all)[i]));
        }
    std::vector<CString> sorted = titles;
    CAppFacade::SortPaths(sorted, 0, (int)sorted.size() - 1);

    std::vector<htmlayout::dom::element> removed;
    RemoveListItems(list, removed);
    // Files of the same title keep their order: each title takes the first unused one.
    std::vector<bool> used(paths.size(), false);
    CStringArray order;
    for (const CString& title : sorted)
        for (size_t i = 0; i < paths.size(); ++i) {
            if (used[i] || titles[i].CompareNoCase(title) != 0) continue;
            used[i] = true;
            AddPlayListItem(paths[i], titles[i], false);
            order.Add(paths[i]);
            break;
        }
    facade.ReorderItems(&order);
    MarkPlayingByPath(facade.GetCurrentPath());
    RefreshMainWindow();
}

// The newest videos.

namespace {

const wchar_t kNewestListId[] = L"tab-newest-video";
const wchar_t kTooltipId[] = L"brief-tooltip";
const int kShortBriefChars = 18;

// An item at a child position of the list (separators count): its serial number
// and its colour.
CString SerialNumber(int position) { return IntToCString((position + 2) / 2); }
LPCWSTR Colour(int position) { return position <= 4 ? L"red" : L"blue"; }

// A new element appended to the parent.
htmlayout::dom::element AppendNew(HELEMENT parent, LPCSTR tag, const CString& text,
                                  const std::map<CStringA, CString>& attributes) {
    htmlayout::dom::element child = CreateHtmlElement(tag, text, attributes);
    AppendChild(parent, child);
    return child;
}

htmlayout::dom::element NormalItem(const WEB_INFO_NEWESE_VIDEO& video, int position) {
    htmlayout::dom::element item = CreateHtmlElement("li", L"",
                                                     {{"class", CString(L"right-normal-item-") + Colour(position)},
                                                      {"url", video.url},
                                                      {"image-url", video.imageurl},
                                                      {"brief", video.brief}});
    AppendNew(item, "div", SerialNumber(position), {{"class", L"serial-number"}});
    AppendNew(item, "div", video.name, {{"class", L"right-normal-item-text"}});
    htmlayout::dom::element payment = AppendNew(item, "div", L"", {{"class", L"right-normal-item-payment"}});
    AppendNew(payment, "div", video.price, {});
    return item;
}

// The brief's line stays empty here: it shows the tooltip's text once that is set.
htmlayout::dom::element ExpandedItem(const WEB_INFO_NEWESE_VIDEO& video, int position) {
    htmlayout::dom::element item = CreateHtmlElement(
        "li", L"", {{"class", L"right-current-item"}, {"url", video.url}, {"image-url", video.imageurl}});
    htmlayout::dom::element row = AppendNew(item, "ul", L"", {{"class", L"horizontal"}});
    htmlayout::dom::element cover = AppendNew(
        row, "li", L"",
        {{"class", CString(L"right-current-item-cover-") + Colour(position)}, {"style", CoverStyle(video.imageurl)}});
    AppendNew(cover, "div", SerialNumber(position), {{"class", L"serial-number"}});
    htmlayout::dom::element info = AppendNew(row, "ul", L"", {{"class", L"right-current-item-info"}});
    AppendNew(info, "li", video.name, {{"class", L"right-current-item-text"}});
    htmlayout::dom::element payment = AppendNew(info, "li", L"", {{"class", L"right-current-item-payment"}});
    AppendNew(payment, "span", video.price, {});
    AppendNew(info, "li", L"", {{"class", L"right-current-item-brief"}, {"titleid", kTooltipId}});
    return item;
}

void InsertAt(HELEMENT list, HELEMENT item, int position) {
    if (item) HTMLayoutInsertElement(item, list, (UINT)position);
}

CString InnerText(HELEMENT he) { return htmlayout::dom::element(he).inner_text().c_str(); }

// The tooltip's whole content, as it was set from an item's brief.
CString InnerHtml(HELEMENT he) {
    htmlayout::shared_utf8 html;
    if (he) HTMLayoutGetElementHtmlCB(he, FALSE, &htmlayout::shared_utf8::writer, &html);
    return Utf8ToWide(reinterpret_cast<const char*>(html.c_str()));
}

}  // namespace

void CElementVideoTab::AddNewestItem(const WEB_INFO_NEWESE_VIDEO& record) {
    if (!m_pManager) return;
    htmlayout::dom::element list = m_pManager->GetElementById(kNewestListId);
    if (!list.is_valid()) return;
    std::vector<htmlayout::dom::element> items;
    list.select_all(items, ":root > li");
    if (!items.empty()) AppendChild(list, CreateHtmlElement("li", L"", {{"class", L"right-separator"}}));
    htmlayout::dom::element item = NormalItem(record, (int)list.child_count());
    AppendChild(list, item);
    if (items.empty()) ShowNewestItemDetails(kNewestListId, item);
}

void CElementVideoTab::CollapseNewestItem(const htmlayout::dom::element& list) {
    htmlayout::dom::element expanded = list.select_first(":root > li[class=\"right-current-item\"]");
    if (!expanded.is_valid()) return;
    htmlayout::dom::element tooltip = m_pManager->GetElementById(kTooltipId);
    WEB_INFO_NEWESE_VIDEO video(InnerText(expanded.select_first("li[class=\"right-current-item-text\"]")),
                                expanded.get_attribute("url"), expanded.get_attribute("image-url"), InnerHtml(tooltip),
                                InnerText(expanded.select_first("li[class=\"right-current-item-payment\"] > span")));
    int position = (int)expanded.index_in_parent();
    expanded.remove();
    InsertAt(list, NormalItem(video, position), position);
}

void CElementVideoTab::ShowNewestItemDetails(const CString& listId, HELEMENT he) {
    if (!m_pManager) return;
    htmlayout::dom::element list = m_pManager->GetElementById(listId);
    htmlayout::dom::element item = htmlayout::dom::child_holding(list, he);
    if (!item.is_valid() || AttributeEqualsNoCase(item, "class", L"right-current-item")) return;
    htmlayout::dom::element name = item.select_first(":root > div.right-normal-item-text");
    htmlayout::dom::element price = item.select_first(":root > div.right-normal-item-payment > div");
    if (!name.is_valid() || !price.is_valid()) return;
    WEB_INFO_NEWESE_VIDEO video(InnerText(name), item.get_attribute("url"), item.get_attribute("image-url"),
                                item.get_attribute("brief"), InnerText(price));
    int position = (int)item.index_in_parent();

    CollapseNewestItem(list);
    item.remove();
    htmlayout::dom::element expanded = ExpandedItem(video, position);
    InsertAt(list, expanded, position);

    htmlayout::dom::element tooltip = m_pManager->GetElementById(kTooltipId);
    if (!tooltip.is_valid()) return;
    std::string brief;
    WideToUtf8(BriefMarkup(video.brief), true, brief);
    tooltip.replace_html(reinterpret_cast<const BYTE*>(brief.data()), brief.size());
    CString text = InnerText(tooltip);
    CString shortBrief = text.Left(kShortBriefChars);
    if (shortBrief.CompareNoCase(text) != 0) shortBrief += L"...";
    htmlayout::dom::element briefLine = expanded.select_first("li.right-current-item-brief");
    if (briefLine.is_valid()) HTMLayoutSetElementInnerText16(briefLine, shortBrief, (UINT)shortBrief.GetLength());
}

void CElementVideoTab::OpenCurrentNewestItem() {
    if (!InMainWindow()) return;
    htmlayout::dom::element expanded = m_pManager->GetRootElement().select_first("li[class=\"right-current-item\"]");
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    IPlayDialogView* play = main ? main->GetDlgPlay() : nullptr;
    if (expanded.is_valid() && play) play->ShowWebView(expanded.get_attribute("url"), true);
}
