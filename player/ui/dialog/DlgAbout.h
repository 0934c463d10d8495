// The about box: the logo, the product version, the description and three links
// (web site, social page, support mail) with a hand cursor over them.
#pragma once

#include "dialog/DlgBase.h"
#include "dialog/DpiScaler.h"

class CDlgAbout : public CDlgBase {
public:
    explicit CDlgAbout(CWnd* parent = nullptr);
    ~CDlgAbout() override;

    // 1 web site, 2 social page, 3 support mail, 0 elsewhere (client coordinates).
    int HitTestLink(CPoint point);

    static const wchar_t WEB_SITE[];
    static const wchar_t SOCIAL_PAGE[];
    static const wchar_t SUPPORT_MAIL[];
    static const wchar_t BROWSER[];  // the links open in this browser, whatever the default is

protected:
    BOOL OnInitDialog() override;
    void LayOutControls() override;
    void DrawContent(Gdiplus::Graphics& graphics) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CRect LinkArea(int link);
    void OpenLink(int link);

    std::unique_ptr<Gdiplus::Image> m_logo;
    HBRUSH m_hWhiteBrush = nullptr;
    CDpiScaler m_dpi;
};
