// The play list of CElementVideoTab.
#include "element/ElementVideoTab.h"

#include <memory>
#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "element/ListItems.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "views/MainWindowView.h"
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
        AppendChild(list, CreateHtmlElement("li", title, {{"class", L"right-viedo-list-current-item"}, {"path", path}}));
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
    for (INT_PTR i = 0; i < paths->GetSize(); ++i) AddPlayListItem((*paths)[i], facade.GetDisplayTitle((*paths)[i]), false);
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
