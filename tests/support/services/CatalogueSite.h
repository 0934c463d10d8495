// The video service's catalogue pages on one loopback HTTP server, for tests and the
// program's demo: the start page, category, video and album pages, the album list
// that the album page's multi-download form is answered with, and 404 for the rest.
//
//   CatalogueSite site;
//   ServiceConfigFile config(site.ConfigText());   // "index_get" points at the start page
//   browser.Navigate(site.Url("/album.aspx?id=7"));
//   ... tick videos, press the form's button ...
//   EXPECT_EQ("POST", site.Requests().back().method);
//
// Pages (UTF-8): "/index.aspx" links to every category; "/category.aspx?id=N" links to
// its videos and its album; "/video.aspx?id=N" names the video and has a buy link
// "javascript:buyVideo(N)"; "/moved.aspx" answers 302 to the start page; "/album.aspx?id=N" holds
// the form: method post, action "/album.aspx?Action=multidownload&id=N", a hidden
// "albumid" and one check box "fileid" (value the file's id) per file. The post is
// answered with the album as an XML property list holding the files whose ids the body
// names, with kFileID and kFileSize as integers and the other values as strings. A file
// given bytes with ServeFile is downloaded from "/files/<id><type>", ranges included.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "http/LoopbackHttpServer.h"

struct CATALOGUE_FILE {
    int Id = 0;
    std::string Name;   // kFileName
    std::string Order;  // kFileOrder
    std::string Type;   // kFileType, with its dot
    int SizeMb = 0;     // kFileSize
    std::string Url;    // kFileURL; "" gives a download address on this server
};

struct CATALOGUE_ALBUM {
    int Id = 0;
    std::string Name;
    std::vector<CATALOGUE_FILE> Files;
};

struct CATALOGUE_CATEGORY {
    int Id = 0;
    std::string Name;
    std::vector<std::pair<int, std::string>> Videos;  // id, title
    int AlbumId = 0;
};

// How the album post is answered.
enum class AlbumReplyMode { List, ServerError, Dropped };

class CatalogueSite {
public:
    // Starts with two categories and one album of three files.
    CatalogueSite();

    // "ovraCfg.ini" text: the start page's service key points at this server.
    std::string ConfigText() const;
    std::string Url(const std::string& pathAndQuery) const { return m_server.Url(pathAndQuery); }
    unsigned short Port() const { return m_server.Port(); }

    void SetAlbum(const CATALOGUE_ALBUM& album);
    // A reply to the album post in place of the list the body asks for ("" goes back to it).
    void SetAlbumReply(const std::string& body);
    void SetAlbumReplyMode(AlbumReplyMode mode);
    const CATALOGUE_ALBUM& Album() const { return m_album; }
    // The album as its list names it: a file without an address gets its one on this server.
    CATALOGUE_ALBUM ListedAlbum() const;
    // The bytes behind the album file's download address; interruptOnce drops the first
    // transfer of it half-way, as a connection that breaks.
    void ServeFile(int fileId, std::string bytes, bool interruptOnce = false);
    // The files' bytes go out in pieces of the size with the pause between them, as over a
    // slow link (at once by default).
    void SetFilePace(size_t pieceSize, std::chrono::milliseconds pause);

    std::vector<HttpRequest> Requests() const { return m_server.Requests(); }
    void ClearRequests() { m_server.ClearRequests(); }

    // The album as the service's property list, with the files whose ids are listed.
    static std::string AlbumPlist(const CATALOGUE_ALBUM& album, const std::vector<int>& fileIds);

private:
    void Handle(const HttpRequest& request, HttpReply& reply);
    std::string StartPage() const;
    std::string CategoryPage(int id) const;
    std::string VideoPage(int id) const;
    std::string AlbumPage(int id) const;
    void AnswerAlbumPost(const HttpRequest& request, HttpReply& reply);
    bool AnswerFile(const HttpRequest& request, HttpReply& reply);

    struct SERVED_FILE {
        std::string Bytes;
        bool Interrupt = false;
    };

    mutable std::mutex m_mutex;
    std::vector<CATALOGUE_CATEGORY> m_categories;
    CATALOGUE_ALBUM m_album;
    std::string m_albumReply;
    AlbumReplyMode m_albumMode = AlbumReplyMode::List;
    std::map<std::string, SERVED_FILE> m_files;  // by path
    size_t m_filePiece = 0;                      // 0: the server's own piece size
    std::chrono::milliseconds m_filePause{0};
    LoopbackHttpServer m_server;  // last: its threads stop before the state goes
};
