// The program's standard skinned button: images by name from the program folder
// (inside the skin folder when one is set), starting with the skin's default
// "controls/SkinButton" images. User-interface thread only.
#pragma once

#include "button/SkinButton.h"

class CEngComButton : public CSkinButton {
public:
    // Loads the four default images; the skin colour is 0xFFFFFF.
    CEngComButton();

    // Keeps the colour unless it is (DWORD)-1, then reloads the four images.
    void SetSkinFolder(const CString& folder, DWORD color) override;
    // Null names keep the stored ones; all four are loaded again.
    void SetImageFiles(LPCTSTR normal, LPCTSTR hover, LPCTSTR pressed, LPCTSTR disabled) override;
    // Each non-empty name replaces that state's name and image; a path with a drive or
    // a network share is taken as it is.
    void SetStateImages(const CString& normal, const CString& hover, const CString& pressed,
                        const CString& disabled) override;
    // Images of names relative to the current directory, each drawn at (2, 2) on a
    // bitmap of the size that MeasureButtonSize gives for the text and the normal image.
    void SetStateImagesFromStrings(const CString& normal, const CString& hover, const CString& pressed,
                                   const CString& disabled) override;

private:
    CString ImagePath(const CString& name);

    CString m_strProgramFolder;
    CString m_strSeparator = L"/";
    CString m_strSkinFolder;
    CString m_strPressedImage = L"/controls/SkinButton/skin_button_down.png";
    CString m_strNormalImage = L"/controls/SkinButton/skin_button_up.png";
    CString m_strHoverImage = L"/controls/SkinButton/skin_button_in.png";
    CString m_strDisabledImage = L"/controls/SkinButton/skin_button_grey.png";
};
