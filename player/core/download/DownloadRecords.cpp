#include "download/DownloadRecords.h"

namespace {

LPCWSTR KindText(int kind) {
    switch (kind) {
        case DOWNLOAD_ERR_NONE:
            return L"";
        case DOWNLOAD_ERR_PAUSED:
            return L"暂停";
        case DOWNLOAD_ERR_CONNECT:
            return L"连接请求异常";
        case DOWNLOAD_ERR_CREATE_FILE:
            return L"创建文件失败";
        case DOWNLOAD_ERR_WRITE_FILE:
            return L"写文件失败";
        case DOWNLOAD_ERR_UNKNOWN:
            return L"未知错误";
    }
    return L"";
}

}  // namespace

CString DOWNLOAD_ERROR_INFO::GetText() const {
    CString text = KindText(Kind);
    if (Detail != 0) text.AppendFormat(L"(%d)", Detail);
    return text;
}
