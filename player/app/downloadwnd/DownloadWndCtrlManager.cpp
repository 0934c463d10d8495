#include "downloadwnd/DownloadWndCtrlManager.h"

#include <afxwin.h>

#include <algorithm>

#include "common/CommonHelpers.h"
#include "ctrl/ShowSkinMenu.h"
#include "downloadwnd/DownloadRowHtml.h"
#include "downloadwnd/DownloadWndSystem.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"
#include "views/MainWindowView.h"
#include "window/BaseWnd.h"

using htmlayout::dom::element;

namespace {

constexpr int kMenuItemWidth = 105;

LONGLONG Int64Attribute(const element& e, LPCSTR name) {
    LPCWSTR value = e.is_valid() ? e.get_attribute(name) : nullptr;
    return value ? _wtoi64(value) : 0;
}

CString Int64Text(LONGLONG value) {
    CString text;
    text.Format(L"%I64d", value);
    return text;
}

void SetText(const element& e, const CString& text) {
    if (e.is_valid()) HTMLayoutSetElementInnerText16(e, text, (UINT)text.GetLength());
}

void SetAttribute(const element& e, LPCSTR name, const CString& value) {
    if (e.is_valid()) HTMLayoutSetAttributeByName(e, name, value);
}

void SetHtml(element& e, const std::string& html) { e.replace_html((const BYTE*)html.data(), html.size()); }

bool IsId(const element& e, LPCWSTR id) {
    LPCWSTR own = e.is_valid() ? e.get_attribute("id") : nullptr;
    return own && wcscmp(own, id) == 0;
}

}  // namespace

int RowFileId(const element& row) {
    LPCWSTR id = row.is_valid() ? row.get_attribute("id") : nullptr;
    return id ? _wtoi(id) : 0;
}

void CDownloadWndCtrlManager::InitElements() {
    for (LPCWSTR id : {L"shutdown_when_complete", L"all_start", L"all_pause", L"all_add"}) AddElementObject(id, {});
}

HWND CDownloadWndCtrlManager::WindowHandle() const { return GetOwner() ? GetOwner()->GetSafeHwnd() : nullptr; }

// The rows are direct children of the two lists: the engine compares the ids of the
// lists' children alone, much cheaper than searching the whole page or asking for
// each child in turn.
element CDownloadWndCtrlManager::Row(int fileId, int* list) const {
    CString id = IntToCString(fileId);
    for (int each : {DOWNLOADING_LIST, DOWNLOADED_LIST}) {
        element table = List(each);
        element::find_first_callback first;
        if (table.is_valid())
            HTMLayoutVisitElements(table, nullptr, "id", id, &htmlayout::dom::callback::element_callback, &first, 1);
        if (!first.found) continue;
        if (list) *list = each;
        return element(first.found);
    }
    return element();
}

element CDownloadWndCtrlManager::List(int list) const {
    return Fixed(list == DOWNLOADED_LIST ? L"downloaded_list" : L"downloading_list");
}

element CDownloadWndCtrlManager::Fixed(LPCWSTR id) const {
    // Kept once found: a search of the page passes every row before the second list.
    element& kept = m_fixed[id];
    if (!kept.is_valid() || !element(kept.parent()).is_valid()) kept = GetElementById(id);
    return kept;
}

element CDownloadWndCtrlManager::Cell(int fileId, LPCWSTR id) const {
    element row = Row(fileId);
    return row.is_valid() ? element(row.find_by_id(id)) : element();
}

std::vector<element> CDownloadWndCtrlManager::TaskRows(int list) const {
    std::vector<element> rows;
    element table = List(list);
    for (UINT i = 0; i < table.child_count(); ++i) {
        element child(table.child_at(i));
        if (child.get_attribute("downloadFilePath")) rows.push_back(child);
    }
    return rows;
}

std::vector<int> CDownloadWndCtrlManager::GetTaskIds(int list) const {
    std::vector<int> ids;
    for (const element& row : TaskRows(list)) ids.push_back(RowFileId(row));
    return ids;
}

void CDownloadWndCtrlManager::AddTaskRow(const DOWNLOAD_LIST_ITEM& item) {
    int list = item.State == DOWNLOAD_STATE_FINISHED ? DOWNLOADED_LIST : DOWNLOADING_LIST;
    element table = List(list);
    if (!table.is_valid()) return;
    element row = CreateHtmlElement("tr", CString(), {{"id", IntToCString(item.Task.FileID)},
                                                      {"downloadURL", item.Task.DownloadUrl},
                                                      {"downloadFilePath", item.Task.FilePath}});
    if (!row.is_valid()) return;
    if (HTMLayoutInsertElement(row, table, 1) != HLDOM_OK) return;
    SetHtml(row, BuildRowCells(item));
    CountRow(list, row, +1);
    UpdateCounters();
}

void CDownloadWndCtrlManager::ClearList(int list) {
    element table = List(list);
    if (table.is_valid()) {
        SetHtml(table, ListHeaderHtml(list));
        m_counts[list] = {};
    }
    UpdateCounters();
}

void CDownloadWndCtrlManager::DeleteTaskRow(int fileId) {
    int list = DOWNLOADING_LIST;
    element row = Row(fileId, &list);
    if (!row.is_valid()) return;
    CountRow(list, row, -1);
    row.remove();
}

void CDownloadWndCtrlManager::CountRow(int list, const element& row, int sign) {
    if (!row.get_attribute("downloadFilePath")) return;
    int state = StateOfRow(row);
    m_counts[list].Rows += sign;
    if (state == DOWNLOAD_STATE_DOWNLOADING || state == DOWNLOAD_STATE_WAITING) m_counts[list].Busy += sign;
}

bool CDownloadWndCtrlManager::HasTaskRow(int fileId) const { return Row(fileId).is_valid(); }

int CDownloadWndCtrlManager::GetTaskRowState(int fileId) const { return StateOfRow(Row(fileId)); }

int CDownloadWndCtrlManager::StateOfRow(const element& row) {
    if (!row.is_valid() || row.child_count() == 0) return DOWNLOAD_STATE_PAUSED;
    // The action cell is the row's last cell; its list's first item carries the state id.
    element cell(row.child_at(row.child_count() - 1));
    element list(cell.child_count() ? cell.child_at(0) : nullptr);
    element item(list.is_valid() && list.child_count() ? list.child_at(0) : nullptr);
    LPCWSTR id = item.is_valid() ? item.get_attribute("id") : nullptr;
    for (int state : {DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_FINISHED,
                      DOWNLOAD_STATE_WAITING})
        if (id && wcscmp(id, StateIdOf(state)) == 0) return state;
    return DOWNLOAD_STATE_PAUSED;
}

void CDownloadWndCtrlManager::ChangeTaskRowState(int fileId, int from, int to) {
    int list = DOWNLOADING_LIST;
    element row = Row(fileId, &list);
    if (!row.is_valid()) return;
    element action(row.find_by_id(StateIdOf(from)));
    if (!action.is_valid()) return;
    CountRow(list, row, -1);
    SetAttribute(action, "class", StateIdOf(to));
    SetAttribute(action, "id", StateIdOf(to));
    CountRow(list, row, +1);
    // The engine repaints the item at its next painting; updating it here would lay out
    // the whole page once per changed row.
    SetText(element(row.find_by_id(L"error_description")), StateChangeText(to));
}

DOWNLOAD_LIST_ITEM CDownloadWndCtrlManager::GetTaskItem(int fileId) const {
    DOWNLOAD_LIST_ITEM item = ItemOfRow(Row(fileId));
    item.Task.FileID = fileId;
    return item;
}

DOWNLOAD_LIST_ITEM CDownloadWndCtrlManager::ItemOfRow(const element& row) {
    DOWNLOAD_TASK_INFO task;
    task.FileID = RowFileId(row);
    if (row.is_valid()) {
        task.DownloadUrl = row.get_attribute("downloadURL");
        task.FilePath = row.get_attribute("downloadFilePath");
        element progress(row.find_by_id(L"download_progress"));
        if (progress.is_valid()) {
            task.FileSize = Int64Attribute(progress, "maxvalue");
            task.DownSize = Int64Attribute(progress, "value");
        }
    }
    return DOWNLOAD_LIST_ITEM(StateOfRow(row), task);
}

void CDownloadWndCtrlManager::GetTasksInState(std::vector<DOWNLOAD_LIST_ITEM>& items, int state) const {
    for (const element& row : TaskRows(state == DOWNLOAD_STATE_FINISHED ? DOWNLOADED_LIST : DOWNLOADING_LIST))
        if (StateOfRow(row) == state) items.push_back(ItemOfRow(row));
}

void CDownloadWndCtrlManager::SetStatusText(int fileId, const CString& text) {
    SetText(Cell(fileId, L"error_description"), text);
}

bool CDownloadWndCtrlManager::SetSpeedText(int fileId, const CString& text) {
    element cell = Cell(fileId, L"speed");
    if (!cell.is_valid()) return true;
    SetText(cell, text);
    return false;
}

void CDownloadWndCtrlManager::ResetSpeedText(int fileId) { SetSpeedText(fileId, L"0.00 KB/S"); }

void CDownloadWndCtrlManager::SetTaskTotalSize(int fileId, LONGLONG total) {
    SetText(Cell(fileId, L"file_size"), SizeText(total));
    SetAttribute(Cell(fileId, L"download_progress"), "maxvalue", Int64Text(total));
}

void CDownloadWndCtrlManager::SetTaskProgress(int fileId, LONGLONG done) {
    element progress = Cell(fileId, L"download_progress");
    if (!progress.is_valid()) return;
    SetAttribute(progress, "value", Int64Text(done));
    CString text;
    text.Format(L"  %d%%", ProgressPercent(done, Int64Attribute(progress, "maxvalue")));
    SetText(progress, text);
    // Setting the markup again makes the engine draw the bar anew.
    htmlayout::shared_utf8 html = progress.get_outer_html();
    element cell(progress.parent());
    if (cell.is_valid()) cell.replace_html(html.c_str(), (size_t)html.length());
}

void CDownloadWndCtrlManager::AddTransferredBytes(int fileId, DWORD bytes) {
    if (GetTaskRowState(fileId) == DOWNLOAD_STATE_DOWNLOADING) {
        m_speeds.AddBytes(fileId, bytes, GetTickCount());
        return;
    }
    m_speeds.Remove(fileId);
    SetSpeedText(fileId, L"");
}

void CDownloadWndCtrlManager::UpdateSpeeds() {
    if (m_speeds.IsEmpty()) return;
    std::vector<int> gone;
    for (const auto& rate : m_speeds.Read(GetTickCount())) {
        CString text;
        text.Format(L"%.2f KB/S", rate.second);
        if (SetSpeedText(rate.first, text)) gone.push_back(rate.first);
    }
    for (int fileId : gone) m_speeds.Remove(fileId);
}

void CDownloadWndCtrlManager::UpdateCounters() {
    CString text;
    int finished = m_counts[DOWNLOADED_LIST].Rows;
    if (element panel = Fixed(L"downloaded_panel")) {
        text.Format(L"已下载(%d)", finished);
        SetText(panel, text);
        SetListButtonsEnabled(DOWNLOADED_LIST, finished > 0);
    }
    if (element panel = Fixed(L"downloading_panel")) {
        const ROW_COUNTS& unfinished = m_counts[DOWNLOADING_LIST];
        text.Format(L"正在下载(%d)", unfinished.Busy);
        SetText(panel, text);
        SetListButtonsEnabled(DOWNLOADING_LIST, unfinished.Rows > 0);
    }
}

void CDownloadWndCtrlManager::SetListButtonsEnabled(int list, bool enabled) {
    std::vector<LPCWSTR> ids = list == DOWNLOADED_LIST
                                   ? std::vector<LPCWSTR>{L"all_add", L"downloaded_all_delete"}
                                   : std::vector<LPCWSTR>{L"all_start", L"all_pause", L"downloading_all_delete"};
    std::vector<element> buttons;
    for (LPCWSTR id : ids) {
        buttons.push_back(Fixed(id));
        if (!buttons.back().is_valid()) return;
    }
    for (const element& button : buttons)
        htmlayout::dom::set_state(button, enabled ? 0 : STATE_DISABLED, enabled ? STATE_DISABLED : 0);
}

void CDownloadWndCtrlManager::ScrollListsToTop() {
    element tabs = GetElementById(L"tabs");
    element container(tabs.is_valid() ? tabs.parent() : nullptr);
    if (!container.is_valid()) return;
    HTMLayoutSetScrollPos(container, POINT{0, 0}, TRUE);
    HTMLayoutUpdateElement(container, TRUE);
}

void CDownloadWndCtrlManager::SelectDownloadingTab() {
    element tab(GetRootElement().select_first("[panel=\"tab-downloading\"]"));
    BOOL handled = FALSE;
    if (tab.is_valid()) HTMLayoutSendEvent(tab, ACTIVATE_CHILD, tab, 0, &handled);
}

bool CDownloadWndCtrlManager::IsShutdownChecked() const {
    element box = GetElementById(L"shutdown_when_complete");
    return box.is_valid() && htmlayout::dom::has_state(box, STATE_CHECKED);
}

void CDownloadWndCtrlManager::ClearShutdownChoice() {
    element box = GetElementById(L"shutdown_when_complete");
    if (box.is_valid()) htmlayout::dom::set_state(box, 0, STATE_CHECKED);
}

bool CDownloadWndCtrlManager::OnButtonClick(const CString& id) {
    if (id == L"all_add")
        AddAllToPlayList();
    else if (id == L"downloaded_all_delete")
        DeleteTasks(GetTaskIds(DOWNLOADED_LIST));
    else if (id == L"all_start")
        StartTasks(GetTaskIds(DOWNLOADING_LIST));
    else if (id == L"all_pause")
        PauseTasks(GetTaskIds(DOWNLOADING_LIST));
    else if (id == L"downloading_all_delete")
        DeleteTasks(GetTaskIds(DOWNLOADING_LIST));
    else
        return false;
    return true;
}

bool CDownloadWndCtrlManager::OnMouseDown(element& clicked) {
    CString id = clicked.get_attribute("id");
    if (id.IsEmpty()) id = element(clicked.parent()).get_attribute("id");
    element row = clicked;
    for (int level = 0; level < 3 && row.is_valid(); ++level) row = row.parent();
    if (!row.is_valid()) return false;
    std::vector<int> fileId = {RowFileId(row)};
    if (id == L"start" || id == L"waiting")
        PauseTasks(fileId);
    else if (id == L"pause")
        StartTasks(fileId);
    else if (id == L"play")
        PlayTaskRow(fileId[0]);
    else if (id == L"action")
        DeleteTasks(fileId);
    else
        return false;
    return true;
}

bool CDownloadWndCtrlManager::OnRowDoubleClick(element& row) {
    if (!row.is_valid()) return false;
    PlayTaskRow(RowFileId(row));
    return true;
}

bool CDownloadWndCtrlManager::OnRightMouseUp(element& clicked) {
    element child = clicked;
    element ancestor(clicked.parent());
    while (ancestor.is_valid() && !IsId(ancestor, L"downloaded_list")) {
        child = ancestor;
        ancestor = ancestor.parent();
    }
    if (!ancestor.is_valid()) return false;
    LPCWSTR path = child.get_attribute("downloadFilePath");
    if (!path || !*path) return false;
    SetCurrentElement(child);
    POINT at;
    GetCursorPos(&at);
    return ShowSkinMenu(this, IDR_MENU_DOWNLOADED, kMenuItemWidth, at, nullptr, CString());
}

void CDownloadWndCtrlManager::PlayTaskRow(int fileId) {
    if (GetTaskRowState(fileId) != DOWNLOAD_STATE_FINISHED) return;
    CString path = GetTaskItem(fileId).Task.FilePath;
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_FILE, &path);
}

void CDownloadWndCtrlManager::PauseTasks(const std::vector<int>& fileIds) {
    for (int fileId : fileIds) {
        if (GetTaskRowState(fileId) == DOWNLOAD_STATE_PAUSED) continue;
        DOWNLOAD_LIST_ITEM item = GetTaskItem(fileId);
        ChangeTaskRowState(fileId, item.State, DOWNLOAD_STATE_PAUSED);
        SetStatusText(fileId, L"暂停");
        UpdateCounters();
        m_speeds.Remove(fileId);
        CAppFacade::GetInstance().Broadcast(CMD_PAUSE_DOWNLOAD, &item);
        SetSpeedText(fileId, L"");
    }
}

void CDownloadWndCtrlManager::StartTasks(const std::vector<int>& fileIds) {
    for (int fileId : fileIds) {
        int state = GetTaskRowState(fileId);
        if (state == DOWNLOAD_STATE_DOWNLOADING || state == DOWNLOAD_STATE_WAITING) continue;
        DOWNLOAD_LIST_ITEM item = GetTaskItem(fileId);
        ChangeTaskRowState(fileId, item.State, DOWNLOAD_STATE_WAITING);
        SetStatusText(fileId, L"等待");
        UpdateCounters();
        CAppFacade::GetInstance().Broadcast(CMD_START_DOWNLOAD, &item);
    }
}

void CDownloadWndCtrlManager::DeleteTasks(const std::vector<int>& fileIds) {
    if (fileIds.empty()) return;
    std::vector<DOWNLOAD_LIST_ITEM> items;
    for (int fileId : fileIds) items.push_back(GetTaskItem(fileId));
    if (items.front().State == DOWNLOAD_STATE_FINISHED)
        DeleteFinishedItems(items);
    else
        DeleteDownloadingItems(items);
    UpdateCounters();
}

void CDownloadWndCtrlManager::DeleteDownloadingItems(const std::vector<DOWNLOAD_LIST_ITEM>& items) {
    if (!DownloadWndSystem().ConfirmDelete(GetOwner(), false).Confirmed) return;
    CAppFacade& facade = CAppFacade::GetInstance();
    for (DOWNLOAD_LIST_ITEM item : items) {
        DeleteTaskRow(item.Task.FileID);
        m_speeds.Remove(item.Task.FileID);
        if (item.State == DOWNLOAD_STATE_WAITING || item.State == DOWNLOAD_STATE_DOWNLOADING)
            facade.Broadcast(CMD_PAUSE_DOWNLOAD, &item);
    }
    std::vector<DOWNLOAD_LIST_ITEM> deleted = items;
    facade.Broadcast(CMD_DELETE_DOWNLOADS, &deleted);
}

void CDownloadWndCtrlManager::DeleteFinishedItems(const std::vector<DOWNLOAD_LIST_ITEM>& items) {
    DELETE_CHOICE choice = DownloadWndSystem().ConfirmDelete(GetOwner(), true);
    if (!choice.Confirmed) return;
    CAppFacade& facade = CAppFacade::GetInstance();
    IMainWindowView* main = facade.GetMainWnd();
    std::vector<DOWNLOAD_LIST_ITEM> deleted;
    for (const DOWNLOAD_LIST_ITEM& item : items) {
        const CString& path = item.Task.FilePath;
        if (path.CompareNoCase(facade.GetCurrentPath()) == 0) {
            MessageBoxW(WindowHandle(), L"文件 " + path + L" 正在播放，无法删除！", L"提示", MB_OK);
            continue;
        }
        DeleteTaskRow(item.Task.FileID);
        deleted.push_back(item);
        if (choice.DeleteFile && DeleteFileW(path) && main) main->RemovePlayListItem(path);
    }
    facade.Broadcast(CMD_DELETE_DOWNLOADS, &deleted);
}

void CDownloadWndCtrlManager::AddAllToPlayList() {
    CAppFacade& facade = CAppFacade::GetInstance();
    struct TITLED {
        CString Path, Title;
    };
    std::vector<TITLED> rows;
    std::vector<CString> titles;
    for (const element& row : TaskRows(DOWNLOADED_LIST)) {
        CString path = row.get_attribute("downloadFilePath");
        CString title = path;
        facade.Broadcast(CMD_GET_FILE_TITLE, &title);
        rows.push_back({path, title});
        titles.push_back(title);
    }
    if (!titles.empty()) CAppFacade::SortPaths(titles, 0, (int)titles.size() - 1);
    IMainWindowView* main = facade.GetMainWnd();
    if (!main) return;
    for (const CString& title : titles) {
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const TITLED& r) { return r.Title.CompareNoCase(title) == 0; });
        if (row == rows.end()) continue;
        main->AddPlayListItem(row->Path, row->Title, false);
        rows.erase(row);
    }
    main->RefreshPlayState();
}

void CDownloadWndCtrlManager::OpenContainingFolder() {
    CString path = GetCurrentElement().get_attribute("downloadFilePath");
    CString parameters = L"/select,\"" + path + L"\"";
    DownloadWndSystem().OpenWithShell(WindowHandle(), L"open", L"explorer", parameters, nullptr, SW_SHOWDEFAULT);
}
