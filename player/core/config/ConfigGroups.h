// The three groups of settings. Their fields are read and written directly; each
// group loads from its table row by column position and saves as name/value pairs.
#pragma once

#include <afx.h>

#include <stdint.h>

class CUserConfig;

class CBaseConfig {
public:
    explicit CBaseConfig(CUserConfig* owner) : m_pOwner(owner) {}
    virtual ~CBaseConfig() = default;
    CBaseConfig(const CBaseConfig&) = delete;
    CBaseConfig& operator=(const CBaseConfig&) = delete;

    // Appends the group's name/value pairs; null takes nothing.
    virtual void Save(CStringArray* pairs) = 0;
    // Takes the group's columns of a row; a missing or short row changes nothing, and
    // a value that is not valid for its setting gives the setting's default.
    virtual void Load(const CStringArray* row) = 0;
    virtual void Reset() = 0;

    // Records a change id for the next notification of the observers.
    void NotifyChange(int id);

private:
    CUserConfig* m_pOwner;  // not owned
};

// Download settings of the current user (UserConfig columns 0-3 and 7).
class CDownloadConfig : public CBaseConfig {
public:
    explicit CDownloadConfig(CUserConfig* owner) : CBaseConfig(owner) { Reset(); }

    void Save(CStringArray* pairs) override;
    void Load(const CStringArray* row) override;
    void Reset() override;

    CString GetDownloadPath() const { return DownloadPath; }
    bool GetAutoDownload() const { return AutoDownload; }

    CString DownloadPath;
    int DownloadNum;    // downloads at once, 1-10
    bool AutoDownload;  // unfinished downloads start with the program
    int RelinkTimes;    // reconnection attempts, 1-10
    bool AutoAdd2PlayList;
};

// Playback settings of the current user (UserConfig columns 4-6).
class COtherConfig : public CBaseConfig {
public:
    explicit COtherConfig(CUserConfig* owner) : CBaseConfig(owner) { Reset(); }

    void Save(CStringArray* pairs) override;
    void Load(const CStringArray* row) override;
    void Reset() override;

    int GetPlayOrder() const { return PlayOrder; }
    void SetPlayOrder(int order) { PlayOrder = order; }

    bool Mute;
    uint16_t Volume;  // 0-100
    int PlayOrder;    // PLAY_ORDER_SEQUENTIAL, PLAY_ORDER_RANDOM or PLAY_ORDER_LOOP
};

// Window settings shared by all users (the AllConfig row).
class CAllConfig : public CBaseConfig {
public:
    explicit CAllConfig(CUserConfig* owner) : CBaseConfig(owner) { Reset(); }

    // The main dialog hands its window in once created and null before it goes.
    void SetPlacementWindow(HWND window) { m_placementWindow = window; }
    // Takes the placement window's screen rectangle first, when there is one.
    void Save(CStringArray* pairs) override;
    void Load(const CStringArray* row) override;
    void Reset() override;

    int WindowShowType;  // view mode 0-2
    int WindowLeft, WindowTop, WindowRight, WindowBottom;
    bool MaximizeWindow;
    bool AutoLogin;

private:
    HWND m_placementWindow = nullptr;  // not owned
};
