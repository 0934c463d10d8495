// A command control: receives every broadcast command code and acts on its own.
#pragma once

class CWnd;
class CPlayerCore;

class CBaseControl {
public:
    CBaseControl(CWnd* window, CPlayerCore* core) : m_pWnd(window), m_pCore(core) {}
    virtual ~CBaseControl() = default;
    CBaseControl(const CBaseControl&) = delete;
    CBaseControl& operator=(const CBaseControl&) = delete;

    // Handles one command code; codes the control does not know are ignored.
    virtual int Execute(int code, void* data) = 0;

protected:
    CWnd* m_pWnd;          // not owned
    CPlayerCore* m_pCore;  // not owned
};
