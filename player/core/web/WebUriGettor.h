// Addresses of the web services, built from a service key and "ovraCfg.ini" in the
// program folder, so each service can move without a new program.
#pragma once

#include <afx.h>

class CWebUriGettor {
public:
    virtual ~CWebUriGettor() = default;

    // "http://server[:port]<url><path>", with "?sid=<session id>" unless noSession.
    // The section named by the service key gives server, url and port; missing keys
    // give the built-in server, the default address and port 8080.
    static CString GetUri(const CString& serviceKey, const CString& defaultAddress, bool noSession, const CString& path,
                          const CString& sessionId);
};

// Path of the service configuration file in the program folder.
CString GetServiceConfigPath();
