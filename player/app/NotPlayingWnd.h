// The panel the play dialog shows in the video area while nothing plays: the player's
// logo, the prompt "您要：" and two image buttons, play the latest video and download
// other videos. User-interface thread only.
#pragma once

#include <afxwin.h>

#include <memory>

#include "button/EngComButton.h"

namespace Gdiplus {
class Image;
}

class CNotPlayingWnd : public CWnd {
public:
    enum { ID_PLAY_LATEST = 1, ID_DOWNLOAD_OTHER = 2 };

    // Loads the logo of the default skin (GDI+ must be started).
    CNotPlayingWnd();
    ~CNotPlayingWnd() override;

    CEngComButton& PlayLatestButton() { return m_playLatest; }
    CEngComButton& DownloadOtherButton() { return m_downloadOther; }
    // Where the logo goes in the client area.
    POINT Anchor() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPlayLatest();
    afx_msg void OnDownloadOther();

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<Gdiplus::Image> m_logo;
    CEngComButton m_playLatest;
    CEngComButton m_downloadOther;
};
