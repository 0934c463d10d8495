#include "common/PageOpener.h"

#include <shellapi.h>

namespace {
PageOpener& Current() {
    static PageOpener opener;
    return opener;
}
}  // namespace

void OpenOutside(const CString& file, const CString& parameters) {
    if (Current()) {
        Current()(file, parameters);
        return;
    }
    ShellExecuteW(nullptr, L"open", file, parameters.IsEmpty() ? nullptr : parameters.GetString(), nullptr,
                  SW_SHOWNORMAL);
}

PageOpener SetPageOpener(PageOpener opener) {
    PageOpener previous = std::move(Current());
    Current() = std::move(opener);
    return previous;
}
