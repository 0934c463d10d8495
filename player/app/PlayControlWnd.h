// The HTML play-control bar ("playctrlwnd.html") that the full-screen control bar
// dialog hosts: play/pause, previous, next, speaker, volume and the play time.
// User-interface thread only.
#pragma once

#include "ctrl/BaseCtrlManager.h"
#include "window/BaseWnd.h"

class CPlayControlWndCtrlManager : public CBaseCtrlManager {
public:
    using CBaseCtrlManager::CBaseCtrlManager;
    ~CPlayControlWndCtrlManager() override { DeleteElementObjects(); }

    void InitElements() override;
    bool OnButtonClick(const CString& id) override;
    bool OnButtonStateChanged(const CString& id) override;

    // The buttons placed around the middle of the bar's width.
    void LayoutButtons();
    void RefreshState();
    void RefreshEnabled();
    void SetPlayTimes(const CString& elapsed, const CString& total);
    void ShowVolume(int volume);
    // The slider's value, 0..100 (a slider without a value reads 0).
    int GetVolume() const;
    void ToggleMute();
};

class CPlayControlWnd : public CBaseWnd {
    DECLARE_DYNAMIC(CPlayControlWnd)
public:
    CPlayControlWndCtrlManager* GetManager() const { return static_cast<CPlayControlWndCtrlManager*>(m_pCtrlManager); }
    // The play-time area, from the client rectangle at creation.
    const RECT& GetPlayTimeRect() const { return m_playTimeRect; }

    // The bar's page rewriting: the default skin's images behind its placeholders.
    static void ReplacePlaceholders(CStringA& text);

protected:
    void CreateCtrlManager() override;
    afx_msg int OnCreate(LPCREATESTRUCT cs);

    DECLARE_MESSAGE_MAP()

private:
    RECT m_playTimeRect = {};
};
