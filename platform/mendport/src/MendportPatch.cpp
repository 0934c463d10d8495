// The interface library's one export.
#include "MendportInterface.h"

#include "UpdateService.h"

extern "C" int MendportPatch(const char* appName, const MENDPORT_SERVER* servers, int count, IMendportEvent* sink,
                             int /*reserved1*/, int /*reserved2*/) {
    if (!appName || !*appName || !servers || count < 1 || !sink) return MENDPORT_BAD_ARGUMENTS;
    try {
        for (int i = 0; i < count; ++i) {
            UPDATE_MANIFEST manifest;
            if (!servers[i].url || !AskUpdateService(servers[i].url, manifest)) continue;
            if (!manifest.Newer) return MENDPORT_CURRENT;
            sink->OnNewerVersion();
            return MENDPORT_NEWER;
        }
    } catch (...) {
        // Nothing may cross into the caller's module.
    }
    return MENDPORT_CHECK_FAILED;
}
