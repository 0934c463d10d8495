// The account platform SDK: sign-in with a password or a ticket, the session's
// ids, sign-out and synchronous requests, over the account service named in
// "ovraCfg.ini". Every call is synchronous. A failing call returns FALSE (or 0)
// and leaves an error number in the thread's last-error value: the service's own
// numbers below, a WinINet or system number for a transport failure.
#pragma once

#include <windows.h>

typedef DWORD OVRA_HANDLE;  // a session or a reply body; 0 is none

struct OVRA_LOGIN_INFO {
    LPCWSTR UserName;
    LPCWSTR Password;
    int Reserved;        // 0
    LPCWSTR ClientType;  // the client's kind, "3" for the player
    LPCWSTR Extra;       // null
    int Flags;           // 0
};

struct OVRA_TICKET_INFO {
    LPCWSTR ClientType;  // "3"
    LPCWSTR VerifyCode;  // may be empty
    LPCWSTR Ticket;      // from ovraGetTicket of an earlier sign-in
};

enum {
    OVRA_REQUEST_KEEP_ALIVE = 1,  // the reply is not kept
    OVRA_REQUEST_DATA = 2,        // a reply with status 200 is kept as the body
};

struct OVRA_HTTP_REQUEST {
    LPCWSTR Url;
    LPCWSTR Reserved;  // an empty text
    int Kind;          // OVRA_REQUEST_KEEP_ALIVE or OVRA_REQUEST_DATA
};

enum : DWORD {
    OVRA_ERROR_WRONG_NAME_OR_PASSWORD = 600000020,
    OVRA_ERROR_NO_SUCH_USER = 600000021,
    OVRA_ERROR_WRONG_PASSWORD = 600000022,
    OVRA_ERROR_TICKET_NOT_FOUND = 600000029,
    OVRA_ERROR_TICKET_NOT_VALID = 600000099,
};

// Buffer sizes, in characters with the terminator, that the ids always fit.
enum {
    OVRA_ID_CHARS = 32,
    OVRA_TICKET_CHARS = 260,
};

extern "C" {

BOOL ovraStartup();
// Reads the account service's server, port and path from section "ovra" of the file.
BOOL ovraLoadCfg(LPCWSTR path);
OVRA_HANDLE ovraCreateSession();

// A failed sign-in leaves the session as it was.
BOOL ovraLogin(OVRA_HANDLE session, const OVRA_LOGIN_INFO* info, DWORD timeoutMs);
BOOL ovraTicketLogin(OVRA_HANDLE session, const OVRA_TICKET_INFO* info, DWORD timeoutMs);

// Copy the signed-in session's value with its terminator; ERROR_INSUFFICIENT_BUFFER
// when it does not fit the buffer's characters.
BOOL ovraGetUserID(OVRA_HANDLE session, LPWSTR buffer, DWORD chars);
BOOL ovraGetSessionID(OVRA_HANDLE session, LPWSTR buffer, DWORD chars);
BOOL ovraGetTicket(OVRA_HANDLE session, LPWSTR buffer, DWORD chars);

BOOL ovraLogout(OVRA_HANDLE session, DWORD timeoutMs);

// TRUE when a reply came; status is its HTTP status. A data request answered with
// 200 gives the body (valid until the session's next request) and its length in
// characters; otherwise length and body are 0.
BOOL ovraHttpReqSyn(OVRA_HANDLE session, const OVRA_HTTP_REQUEST* request, DWORD* status, DWORD* length,
                    OVRA_HANDLE* body, DWORD timeoutMs);
// Copies the body as text with its terminator into a buffer of chars characters (length + 1).
BOOL ovraDecodeJson(OVRA_HANDLE body, LPWSTR buffer, DWORD chars);

// Releases a session and its body.
BOOL ovraCloseHandle(OVRA_HANDLE session);
}
