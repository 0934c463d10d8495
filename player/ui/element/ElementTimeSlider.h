// The play-time slider of the main window: its range is the progress scale, and a
// change of its position fills it and seeks the playback there.
#pragma once

#include "element/Element.h"

class IPlayDialogView;

class CElementTimeSlider : public CElement {
public:
    using CElement::CElement;

    // Writes the progress scale into the slider's "max".
    void Refresh() override;
    // After the slider's value changed: the filled part (the "foreground-offset-right"
    // style) follows the value, the play dialog seeks to it, and the end of the scale
    // asks for the next file.
    void UpdateProgress();

private:
    IPlayDialogView* m_pDlgPlay = nullptr;  // not owned; the main window's, found by UpdateProgress
};
