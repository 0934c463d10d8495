#include "button/EngComButton.h"

#include "button/ButtonHelpers.h"
#include "common/CommonHelpers.h"

namespace {

bool IsAbsolutePath(const CString& name) {
    return (name.GetLength() >= 2 && name[1] == L':') || name.Left(2) == L"\\\\";
}

}  // namespace

CEngComButton::CEngComButton() {
    m_skinColor = 0xFFFFFF;
    SetStateImages(m_strNormalImage, m_strHoverImage, m_strPressedImage, m_strDisabledImage);
}

CString CEngComButton::ImagePath(const CString& name) {
    if (IsAbsolutePath(name)) return name;
    if (m_strProgramFolder.IsEmpty()) m_strProgramFolder = GetProgramFolder();
    return m_strProgramFolder + m_strSeparator + m_strSkinFolder + name;
}

void CEngComButton::SetSkinFolder(const CString& folder, DWORD color) {
    m_strSkinFolder = folder;
    if (color != (DWORD)-1) m_skinColor = color;
    SetStateImages(m_strNormalImage, m_strHoverImage, m_strPressedImage, m_strDisabledImage);
}

void CEngComButton::SetImageFiles(LPCTSTR normal, LPCTSTR hover, LPCTSTR pressed, LPCTSTR disabled) {
    if (normal) m_strNormalImage = normal;
    if (hover) m_strHoverImage = hover;
    if (pressed) m_strPressedImage = pressed;
    if (disabled) m_strDisabledImage = disabled;
    SetStateImages(m_strNormalImage, m_strHoverImage, m_strPressedImage, m_strDisabledImage);
}

void CEngComButton::SetStateImages(const CString& normal, const CString& hover, const CString& pressed,
                                   const CString& disabled) {
    struct {
        const CString& name;
        CString& stored;
        std::unique_ptr<Gdiplus::Image>& image;
    } states[] = {{normal, m_strNormalImage, m_normal},
                  {hover, m_strHoverImage, m_hover},
                  {pressed, m_strPressedImage, m_pressed},
                  {disabled, m_strDisabledImage, m_disabled}};
    for (auto& state : states) {
        if (state.name.IsEmpty()) continue;
        state.stored = state.name;
        state.image = LoadSkinImage(ImagePath(state.stored));
    }
    Redraw();
}

void CEngComButton::SetStateImagesFromStrings(const CString& normal, const CString& hover, const CString& pressed,
                                              const CString& disabled) {
    std::unique_ptr<Gdiplus::Image> images[] = {LoadSkinImage(normal), LoadSkinImage(hover), LoadSkinImage(pressed),
                                                LoadSkinImage(disabled)};
    CSize size = MeasureButtonSize(*this, images[0].get());
    std::unique_ptr<Gdiplus::Image>* states[] = {&m_normal, &m_hover, &m_pressed, &m_disabled};
    for (int i = 0; i < 4; ++i) states[i]->reset(CreateButtonBitmap(images[i].get(), size.cx, size.cy));
    Redraw();
}
