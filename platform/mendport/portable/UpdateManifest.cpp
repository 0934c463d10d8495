#include "UpdateManifest.h"

#include <set>

namespace {

struct Line {
    size_t Start;  // offset in the reply
    std::string Text;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back({start, line});
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

// Hex digits, two a byte, to the bytes; false for any other text.
bool ParseHex(const std::string& text, std::string& bytes) {
    if (text.empty() || text.size() % 2) return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        int value = 0;
        for (char c : {text[i], text[i + 1]}) {
            int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
            if (digit < 0) return false;
            value = value << 4 | digit;
        }
        bytes += (char)value;
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

// The code points of UTF-8 text; false for bytes that are not UTF-8 (overlong forms,
// surrogates and values above U+10FFFF included).
bool DecodeUtf8(const std::string& text, std::u32string& decoded) {
    decoded.clear();
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = (unsigned char)text[i];
        size_t length = lead < 0x80             ? 1
                        : (lead & 0xE0) == 0xC0 ? 2
                        : (lead & 0xF0) == 0xE0 ? 3
                        : (lead & 0xF8) == 0xF0 ? 4
                                                : 0;
        if (length == 0 || i + length > text.size()) return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            unsigned char next = (unsigned char)text[i + k];
            if ((next & 0xC0) != 0x80) return false;
            c = c << 6 | (next & 0x3F);
        }
        static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        decoded.push_back(c);
        i += length;
    }
    return true;
}

// Pairs of letters in a block where the capital comes first (even) or second (odd).
char32_t PairedCapital(char32_t c, bool capitalEven) {
    return (c % 2 == 0) == capitalEven ? c : (capitalEven ? c - 1 : c + 1);
}

// The capital letter Windows compares a letter as, for the scripts of file names
// (Latin with its extensions, Greek, Cyrillic, Armenian, full-width Latin).
char32_t FoldLetter(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0x80) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if ((c >= 0x100 && c <= 0x137 && c != 0x130 && c != 0x131) || (c >= 0x14A && c <= 0x177))
        return PairedCapital(c, true);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return PairedCapital(c, false);
    if (c == 0x3C2) return 0x3A3;
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return PairedCapital(c, true);
    if (c >= 0x561 && c <= 0x586) return c - 0x30;
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return PairedCapital(c, true);
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

// A path as Windows compares names: without regard to letter case. Empty for text
// that is not UTF-8.
std::u32string FoldCase(const std::string& path) {
    std::u32string folded;
    if (!DecodeUtf8(path, folded)) return std::u32string();
    for (char32_t& c : folded) c = FoldLetter(c);
    return folded;
}

// Names Windows keeps for devices, whatever extension follows them: "CON", "NUL.txt".
bool IsDeviceName(const std::string& part) {
    std::u32string base = FoldCase(part.substr(0, part.find('.')));
    while (!base.empty() && base.back() == U' ') base.pop_back();
    for (const char32_t* name : {U"CON", U"PRN", U"AUX", U"NUL", U"CONIN$", U"CONOUT$"})
        if (base == name) return true;
    if (base.size() != 4 || (base.compare(0, 3, U"COM") != 0 && base.compare(0, 3, U"LPT") != 0)) return false;
    char32_t number = base[3];
    // The digits 1 to 9, and the superscripts one, two and three.
    return (number >= U'1' && number <= U'9') || number == 0xB9 || number == 0xB2 || number == 0xB3;
}

bool IsSafePart(const std::string& part) {
    if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ') return false;
    for (unsigned char c : part)
        if (c < 0x20 || c == 0x7F || std::string("<>:\"\\|?*").find((char)c) != std::string::npos) return false;
    std::u32string decoded;
    return DecodeUtf8(part, decoded) && !IsDeviceName(part);
}

// The client keeps its own files: the installed version and its working folder.
bool IsClientFile(const std::u32string& foldedPath) {
    return foldedPath == U"UPDATE/VERSION.DAT" || foldedPath.compare(0, 16, U"UPDATE/MENDPORT/") == 0;
}

constexpr size_t kSha256Bytes = 32;
// An RSA signature of up to 8192 bits.
constexpr size_t kMaxSignatureBytes = 1024;

bool ParseFile(const std::string& line, UPDATE_FILE& file) {
    std::string word, rest, size, digest;
    if (!SplitWord(line, word, rest) || word != "file") return false;
    if (!SplitWord(rest, size, rest) || !SplitWord(rest, digest, file.Path)) return false;
    return ParseDecimal(size, file.Size) && ParseHex(digest, file.Sha256) && file.Sha256.size() == kSha256Bytes &&
           IsSafeRelativePath(file.Path);
}

bool ParseSignature(const std::string& line, std::string& signature) {
    std::string word, hex;
    return SplitWord(line, word, hex) && word == "signature" && ParseHex(hex, signature) &&
           signature.size() <= kMaxSignatureBytes;
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
    std::vector<Line> lines = SplitLines(reply);
    if (lines.empty()) return false;
    if (lines[0].Text == "current") return lines.size() == 1;

    std::string word, version, signature;
    if (lines.size() < 2 || !SplitWord(lines[0].Text, word, version) || word != "update" || !IsVersion(version) ||
        !ParseSignature(lines.back().Text, signature))
        return false;
    std::vector<UPDATE_FILE> files;
    std::set<std::u32string> paths;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        UPDATE_FILE file;
        if (!ParseFile(lines[i].Text, file)) return false;
        std::u32string folded = FoldCase(file.Path);
        if (IsClientFile(folded) || !paths.insert(folded).second) return false;
        files.push_back(file);
    }
    manifest.Newer = true;
    manifest.Version = version;
    manifest.Files = std::move(files);
    manifest.SignedText = reply.substr(0, lines.back().Start);
    manifest.Signature = signature;
    return true;
}
