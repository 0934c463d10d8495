#include "services/CatalogueSite.h"

#include <cstdlib>
#include <sstream>

#include "http/FormPairs.h"
#include "http/HttpReplies.h"

namespace {

constexpr char kStyle[] =
    "<style>body { font-family: SimSun; font-size: 14px; color: #333333; padding: 12px; }"
    "h1 { font-size: 20px; color: #1a5fa8; } a { color: #1a5fa8; } li { padding: 4px; }"
    "button { padding: 4px 12px; border: 1px solid #888888; background: #e8e8e8; }"
    "input[type=checkbox] { width: 13px; height: 13px; border: 1px solid #555555; background: #ffffff; }"
    "input[type=checkbox]:checked { background: #1a5fa8; }</style>";

std::string Page(const std::string& title, const std::string& content) {
    return "\xEF\xBB\xBF<html><head><title>" + title + "</title>" + kStyle + "</head><body><h1 id=\"title\">" + title +
           "</h1>" + content + "</body></html>";
}

std::string XmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

int QueryId(const HttpRequest& request) {
    auto pairs = ParsePairs(request.Query());
    return pairs.count("id") ? std::atoi(pairs["id"].c_str()) : 0;
}

// Every "fileid" value of the body, also "a,b" lists, in order.
std::vector<int> PostedFileIds(const std::string& body) {
    std::vector<int> ids;
    std::stringstream pairs(body);
    std::string pair;
    while (std::getline(pairs, pair, '&')) {
        size_t equals = pair.find('=');
        if (equals == std::string::npos || PercentDecode(pair.substr(0, equals)) != "fileid") continue;
        std::stringstream values(PercentDecode(pair.substr(equals + 1)));
        std::string value;
        while (std::getline(values, value, ',')) ids.push_back(std::atoi(value.c_str()));
    }
    return ids;
}

std::string FilePath(const CATALOGUE_FILE& file) { return "/files/" + std::to_string(file.Id) + file.Type; }

}  // namespace

CatalogueSite::CatalogueSite()
    : m_server([this](const HttpRequest& request, HttpReply& reply) { Handle(request, reply); }) {
    m_categories = {{1, "电影", {{11, "星际旅行"}, {12, "海上日出"}}, 7}, {2, "音乐", {{21, "经典老歌"}}, 7}};
    m_album = {7,
               "经典合集",
               {{101, "第一集", "1", ".flv", 12, ""},
                {102, "第二集", "2", ".flv", 8, ""},
                {103, "第三集", "3", ".mp4", 20, ""}}};
}

std::string CatalogueSite::ConfigText() const {
    return "[index_get]\r\nserver=127.0.0.1\r\nport=" + std::to_string(m_server.Port()) + "\r\n";
}

void CatalogueSite::SetAlbum(const CATALOGUE_ALBUM& album) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_album = album;
}

void CatalogueSite::SetAlbumReply(const std::string& body) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_albumReply = body;
}

void CatalogueSite::SetAlbumReplyMode(AlbumReplyMode mode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_albumMode = mode;
}

void CatalogueSite::Handle(const HttpRequest& request, HttpReply& reply) {
    std::string path = request.Path();
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string page;
    if (path == "/album.aspx" && request.Query().find("Action=multidownload") != std::string::npos &&
        request.method == "POST") {
        AnswerAlbumPost(request, reply);
        return;
    }
    if (AnswerFile(request, reply)) return;
    if (path == "/moved.aspx") {
        reply.status = 302;
        reply.AddHeader("Location", "/index.aspx");
        return;
    }
    if (path == "/index.aspx" || path == "/")
        page = StartPage();
    else if (path == "/category.aspx")
        page = CategoryPage(QueryId(request));
    else if (path == "/video.aspx")
        page = VideoPage(QueryId(request));
    else if (path == "/album.aspx")
        page = AlbumPage(QueryId(request));
    if (page.empty()) {
        reply.status = 404;
        reply.body = Page("404", "<p>找不到该页面。</p>");
    } else {
        reply.body = page;
    }
    reply.AddHeader("Content-Type", "text/html; charset=utf-8");
}

std::string CatalogueSite::StartPage() const {
    std::string list;
    for (const auto& category : m_categories)
        list += "<li><a id=\"category" + std::to_string(category.Id) +
                "\" href=\"category.aspx?id=" + std::to_string(category.Id) + "\">" + category.Name + "</a></li>";
    return Page("视频首页", "<ul id=\"categories\">" + list + "</ul>");
}

std::string CatalogueSite::CategoryPage(int id) const {
    for (const auto& category : m_categories) {
        if (category.Id != id) continue;
        std::string list;
        for (const auto& video : category.Videos)
            list += "<li><a id=\"video" + std::to_string(video.first) +
                    "\" href=\"/video.aspx?id=" + std::to_string(video.first) + "\">" + video.second + "</a></li>";
        return Page(category.Name, "<ul id=\"videos\">" + list + "</ul><p><a id=\"album\" href=\"/album.aspx?id=" +
                                       std::to_string(category.AlbumId) + "\">专辑下载</a></p>" +
                                       "<p><a id=\"home\" href=\"/index.aspx\">首页</a></p>");
    }
    return std::string();
}

std::string CatalogueSite::VideoPage(int id) const {
    for (const auto& category : m_categories)
        for (const auto& video : category.Videos)
            if (video.first == id)
                return Page(video.second, "<p id=\"video\">视频编号 " + std::to_string(id) +
                                              "</p><p><a id=\"buy\" href=\"javascript:buyVideo(" + std::to_string(id) +
                                              ")\">购买</a></p>");
    return std::string();
}

std::string CatalogueSite::AlbumPage(int id) const {
    if (id != m_album.Id) return std::string();
    std::string album = std::to_string(id);
    std::string rows;
    for (const auto& file : m_album.Files) {
        std::string fileId = std::to_string(file.Id);
        rows += "<li><input type=\"checkbox\" id=\"file" + fileId + "\" name=\"fileid\" value=\"" + fileId + "\"> " +
                file.Name + "</li>";
    }
    return Page(m_album.Name,
                "<form id=\"download\" method=\"post\" action=\"/album.aspx?Action=multidownload&amp;id=" + album +
                    "\"><input type=\"hidden\" name=\"albumid\" value=\"" + album + "\"><ul>" + rows +
                    "</ul><button type=\"submit\" id=\"submit\">下载选中的视频</button></form>");
}

CATALOGUE_ALBUM CatalogueSite::ListedAlbum() const {
    CATALOGUE_ALBUM album = m_album;
    for (auto& file : album.Files)
        if (file.Url.empty()) file.Url = m_server.Url(FilePath(file));
    return album;
}

void CatalogueSite::AnswerAlbumPost(const HttpRequest& request, HttpReply& reply) {
    if (m_albumMode == AlbumReplyMode::ServerError) {
        reply.status = 500;
        return;
    }
    reply.body = m_albumReply.empty() ? AlbumPlist(ListedAlbum(), PostedFileIds(request.body)) : m_albumReply;
    reply.AddHeader("Content-Type", "text/xml; charset=utf-8");
    if (m_albumMode == AlbumReplyMode::Dropped) reply.dropAfter = reply.body.size() / 2;
}

std::string CatalogueSite::AlbumPlist(const CATALOGUE_ALBUM& album, const std::vector<int>& fileIds) {
    std::string files;
    for (int id : fileIds) {
        for (const auto& file : album.Files) {
            if (file.Id != id) continue;
            files += "<dict><key>kFileID</key><integer>" + std::to_string(file.Id) +
                     "</integer><key>kFileName</key><string>" + XmlEscape(file.Name) +
                     "</string><key>kFileURL</key><string>" + XmlEscape(file.Url) +
                     "</string><key>kFileOrder</key><string>" + XmlEscape(file.Order) +
                     "</string><key>kFileType</key><string>" + XmlEscape(file.Type) +
                     "</string><key>kFileSize</key><integer>" + std::to_string(file.SizeMb) + "</integer></dict>";
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist "
           "version=\"1.0\"><array><dict><key>kAlbumName</key><string>" +
           XmlEscape(album.Name) + "</string><key>kAlbumFiles</key><array>" + files + "</array></dict></array></plist>";
}

void CatalogueSite::ServeFile(int fileId, std::string bytes, bool interruptOnce) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& file : m_album.Files)
        if (file.Id == fileId) m_files[FilePath(file)] = SERVED_FILE{std::move(bytes), interruptOnce};
}

void CatalogueSite::SetFilePace(size_t pieceSize, std::chrono::milliseconds pause) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_filePiece = pieceSize;
    m_filePause = pause;
}

bool CatalogueSite::AnswerFile(const HttpRequest& request, HttpReply& reply) {
    auto served = m_files.find(request.Path());
    if (served == m_files.end()) return false;
    reply = RangeReply(request, StringSource(served->second.Bytes));
    reply.AddHeader("Content-Type", "application/octet-stream");
    if (m_filePiece > 0) reply.pieceSize = m_filePiece;
    reply.pieceDelay = m_filePause;
    if (served->second.Interrupt) {
        served->second.Interrupt = false;
        reply.dropAfter = served->second.Bytes.size() / 2;
    }
    return true;
}
