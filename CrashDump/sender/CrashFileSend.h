// The crash-report sender's sending interface.
#pragma once

class CCrashFileSend {
public:
    virtual bool SendMail() = 0;
    virtual bool Connect(unsigned short port) = 0;
    virtual void Disconnect() = 0;
    virtual ~CCrashFileSend() = default;
};
