#include "downloadwnd/DownloadRowHtml.h"

#include <algorithm>

#include "common/CommonHelpers.h"

namespace {

constexpr LONGLONG kMebibyte = 1048576;

// The status cell's text of a row as it is built.
LPCWSTR BuiltStatusText(int state) {
    switch (state) {
        case DOWNLOAD_STATE_WAITING:
            return L"等待";
        case DOWNLOAD_STATE_DOWNLOADING:
            return L"下载中";
        case DOWNLOAD_STATE_PAUSED:
            return L"暂停";
        default:
            return L"";
    }
}

std::string Utf8(const CString& text) {
    std::string out;
    WideToUtf8(text, true, out);
    return out;
}

}  // namespace

LPCWSTR StateIdOf(int state) {
    switch (state) {
        case 0:
        case DOWNLOAD_STATE_WAITING:
            return L"waiting";
        case DOWNLOAD_STATE_DOWNLOADING:
            return L"start";
        case DOWNLOAD_STATE_PAUSED:
            return L"pause";
        case DOWNLOAD_STATE_FINISHED:
            return L"play";
        default:
            return L"";
    }
}

LPCWSTR StateChangeText(int state) {
    switch (state) {
        case DOWNLOAD_STATE_WAITING:
            return L"等待";
        case DOWNLOAD_STATE_DOWNLOADING:
            return L"开始";
        case DOWNLOAD_STATE_PAUSED:
            return L"暂停";
        case DOWNLOAD_STATE_FINISHED:
            return L"播放";
        default:
            return L"";
    }
}

int ProgressPercent(LONGLONG done, LONGLONG total) {
    if (total <= 0) return 0;
    return (int)((double)done / (double)total * 100 + 0.5);
}

CString EscapeHtml(const CString& text) {
    CString escaped;
    for (int i = 0; i < text.GetLength(); ++i) {
        switch (WCHAR c = text[i]) {
            case L'&':
                escaped += L"&amp;";
                break;
            case L'<':
                escaped += L"&lt;";
                break;
            case L'>':
                escaped += L"&gt;";
                break;
            case L'"':
                escaped += L"&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

CString SizeText(LONGLONG bytes) {
    CString text;
    text.Format(L"%I64dMB", bytes / kMebibyte);
    return text;
}

std::string BuildRowCells(const DOWNLOAD_LIST_ITEM& item) {
    const DOWNLOAD_TASK_INFO& task = item.Task;
    CString cells;
    cells.Format(L"<td id=\"file_name\">%s</td><td id=\"file_size\">%s</td>",
                 EscapeHtml(GetFileNameFromPath(task.FilePath)).GetString(), SizeText(task.FileSize).GetString());
    if (item.State != DOWNLOAD_STATE_FINISHED) {
        CString more;
        more.Format(L"<td><progress id=\"download_progress\" maxvalue=\"%I64d\"  value=\"%I64d\" > %d%%</progress></td>"
                    L"<td id=\"speed\" /><td id=\"error_description\">%s</td>",
                    task.FileSize, task.DownSize, std::min(100, ProgressPercent(task.DownSize, task.FileSize)),
                    BuiltStatusText(item.State));
        cells += more;
    }
    CString action;
    LPCWSTR id = StateIdOf(item.State);
    action.Format(L"<td><ul class=\"horizontal\"><li class=\"%s\" id=\"%s\" /><li id=\"action\" "
                  L"operator=\"delete\">%s</li></ul></td>",
                  id, id, L"删除");
    return Utf8(cells + action);
}

std::string ListHeaderHtml(int list) {
    return Utf8(list == DOWNLOADED_LIST ? L"<tr><th>文件名</th><th>大小</th><th>操作</th></tr>"
                                        : L"<tr><th>文件名</th><th>大小</th><th>进度</th><th>速度</th><th>状态</th>"
                                          L"<th>操作</th></tr>");
}
