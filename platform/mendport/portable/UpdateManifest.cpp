#include "UpdateManifest.h"

#include <set>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "word rest": false when there is no single space after a non-empty word.
bool SplitWord(const std::string& line, std::string& word, std::string& rest) {
    size_t space = line.find(' ');
    if (space == 0 || space == std::string::npos) return false;
    word = line.substr(0, space);
    rest = line.substr(space + 1);
    return true;
}

bool ParseDecimal(const std::string& text, uint64_t& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        uint64_t digit = (uint64_t)(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

bool ParseCrc(const std::string& text, uint32_t& value) {
    if (text.size() != 8) return false;
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0) return false;
        value = value << 4 | (uint32_t)digit;
    }
    return true;
}

bool IsVersion(const std::string& text) {
    if (text.empty() || text.size() > kMaxVersionLength) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == '_' ||
              c == '-'))
            return false;
    return true;
}

bool IsSafePart(const std::string& part) {
    if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ') return false;
    for (unsigned char c : part)
        if (c < 0x20 || c == 0x7F || std::string("<>:\"\\|?*").find((char)c) != std::string::npos) return false;
    return true;
}

// Windows compares names without regard to ASCII case.
std::string FoldCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return text;
}

// The client keeps its own files: the installed version and its working folder.
bool IsClientFile(const std::string& foldedPath) {
    return foldedPath == "update/version.dat" || foldedPath.compare(0, 16, "update/mendport/") == 0;
}

bool ParseFile(const std::string& line, UPDATE_FILE& file) {
    std::string word, rest, size, crc;
    if (!SplitWord(line, word, rest) || word != "file") return false;
    if (!SplitWord(rest, size, rest) || !SplitWord(rest, crc, file.Path)) return false;
    return ParseDecimal(size, file.Size) && ParseCrc(crc, file.Crc32) && IsSafeRelativePath(file.Path);
}

}  // namespace

bool IsSafeRelativePath(const std::string& path) {
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        if (!IsSafePart(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start)))
            return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

bool ParseCheckReply(const std::string& reply, UPDATE_MANIFEST& manifest) {
    manifest = UPDATE_MANIFEST();
    std::vector<std::string> lines = SplitLines(reply);
    if (lines.empty()) return false;
    if (lines[0] == "current") return lines.size() == 1;

    std::string word;
    if (!SplitWord(lines[0], word, manifest.Version) || word != "update" || !IsVersion(manifest.Version))
        return false;
    std::set<std::string> paths;
    for (size_t i = 1; i < lines.size(); ++i) {
        UPDATE_FILE file;
        if (!ParseFile(lines[i], file)) return false;
        std::string folded = FoldCase(file.Path);
        if (IsClientFile(folded) || !paths.insert(folded).second) return false;
        manifest.Files.push_back(file);
    }
    manifest.Newer = true;
    return true;
}
