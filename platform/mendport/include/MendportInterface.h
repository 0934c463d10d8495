// The update client's interface library "MendportInterface.dll": one call that asks
// the update service whether a newer version of an application exists, and the sink
// through which it tells the caller. The updater program "Update\Mendport.exe" then
// fetches and installs that version.
#pragma once

// The sink's tables are a binary interface: the order of the bases and of the
// operations below is fixed, and none of them has a virtual destructor.
class IDownloadProgress {
public:
    virtual void OnDownloadProgress(int fileIndex, unsigned int received, unsigned int total) = 0;
    virtual void OnDownloadFinished(int result) = 0;

protected:
    ~IDownloadProgress() = default;
};

class IDecompressProgress {
public:
    virtual void OnDecompressProgress(int fileIndex, int percent) = 0;

protected:
    ~IDecompressProgress() = default;
};

class ICheckFIleProgress {
public:
    virtual void OnCheckFileProgress(int fileIndex, int result) = 0;

protected:
    ~ICheckFIleProgress() = default;
};

// MendportPatch calls only OnNewerVersion (the fourth slot of the first table), once,
// when the service names a newer version; its result is reserved (return false). The
// progress operations belong to the interface but this client never calls them.
class IMendportEvent : public IDownloadProgress, public IDecompressProgress, public ICheckFIleProgress {
public:
    virtual void OnCheckStarted() = 0;
    virtual bool OnNewerVersion() = 0;
    virtual void OnCheckFinished(int result, int serverIndex) = 0;

protected:
    ~IMendportEvent() = default;
};

// One update service to ask: the check URL as narrow text in the OEM code page,
// "http://host[:port]/path?app=<name>&version=<installed version>".
struct MENDPORT_SERVER {
    const char* url;
    int reserved;  // 0
};

// Results of MendportPatch.
enum {
    MENDPORT_CURRENT = 0,       // the installed version is the newest
    MENDPORT_NEWER = 1,         // a newer version exists; the sink was told
    MENDPORT_CHECK_FAILED = 2,  // no service could be asked or understood
    MENDPORT_BAD_ARGUMENTS = 3,
    // A newer version exists, but its install failed in this installation less than a
    // day ago: the sink was not told, so that the program starts as it is.
    MENDPORT_HELD_BACK = 4,
};

#ifdef MENDPORT_EXPORTS
#define MENDPORT_API __declspec(dllexport)
#else
#define MENDPORT_API __declspec(dllimport)
#endif

// Asks the servers in turn until one answers; the whole call is over within five
// seconds, however slowly the servers answer. appName (OEM text) must not be empty;
// the last two arguments are reserved (0). The library keeps its record of failed
// installs in the "Update\Mendport" folder beside itself (the program folder).
extern "C" MENDPORT_API int MendportPatch(const char* appName, const MENDPORT_SERVER* servers, int count,
                                          IMendportEvent* sink, int reserved1, int reserved2);
