#include "MendportAddress.h"

namespace {

using Text = std::u16string;

size_t SkipSpaces(const Text& text, size_t at) {
    while (at < text.size() && text[at] == u' ') ++at;
    return at;
}

// The word at `at`, up to the next space or the end.
Text WordAt(const Text& text, size_t at) { return text.substr(at, text.find(u' ', at) - at); }

bool IsDecimal(const Text& word) {
    if (word.empty()) return false;
    for (char16_t c : word)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace

std::u16string MendportUpdateAddress(const std::u16string& server1, const std::u16string& incrementWeb1) {
    size_t space = server1.find(u' ');
    if (space == Text::npos) return Text();
    size_t hostAt = SkipSpaces(server1, space);
    Text address = WordAt(server1, hostAt);
    size_t afterHost = hostAt + address.size();
    if (address.empty() || afterHost == server1.size()) return address;

    Text port = WordAt(server1, SkipSpaces(server1, afterHost));
    if (IsDecimal(port) && port != u"80") address += u":" + port;
    if (incrementWeb1.empty()) return Text();
    return address + u"/" + incrementWeb1;
}
