// The update service's address as the update client's "SocketConfig.ini" gives it
// (section "GROUP1"): "Server1" holds a first word that is skipped, the host and an
// optional port, separated by spaces; "IncrementWeb1" holds the path on that host.
// Portable: no platform headers.
#pragma once

#include <string>

// "host", "host:port" or "host/path", "host:port/path"; empty when the values give none.
// A port is kept only when it is all decimal digits and not "80"; "IncrementWeb1"
// counts only when a space follows the host, and must not then be empty.
std::u16string MendportUpdateAddress(const std::u16string& server1, const std::u16string& incrementWeb1);
