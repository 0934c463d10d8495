// The SMTP client's texts: reply reading, Base64 and the message body's dot-stuffing.
// Portable (no Windows), so that it is also built natively and fuzzed.
#pragma once

#include <cstddef>
#include <string>

// True when data holds a whole reply: its last line ends with CRLF and is no
// continuation line ("250-..." continues, "250 ..." or "250" ends).
bool SmtpReplyComplete(const char* data, size_t size);
// The number formed by the reply's first three characters; -1 when they are not digits.
int SmtpReplyCode(const char* data, size_t size);

// RFC 4648 Base64 with "=" padding and no line breaks.
std::string SmtpBase64Encode(const unsigned char* data, size_t size);
inline std::string SmtpBase64Encode(const std::string& text) {
    return SmtpBase64Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// The text with a second "." before each line that begins with "." (lines end with LF
// or CRLF), so that no line of it can end the message.
std::string SmtpDotStuff(const std::string& text);
