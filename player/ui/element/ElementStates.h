// Element objects that show a state word of the program in their element's "mode"
// attribute, which the skin's styles select the look by. Clicks on them are the
// window manager's; it changes the state and lets them apply it again.
#pragma once

#include "element/Element.h"

// Applies its state word on every refresh.
class CElementModeState : public CElement {
public:
    using CElement::CElement;
    void Refresh() override { ApplyState(); }
    void ApplyState() override { SetMode(GetState()); }
};

// One of a group of choices; the manager marks the chosen one focused.
class CElementFocusState : public CElementModeState {
public:
    using CElementModeState::CElementModeState;
    CString GetState() override { return m_bFocused ? L"focus" : L"normal"; }
    void SetFocused(bool focused) { m_bFocused = focused; }
    bool IsFocused() const { return m_bFocused; }

private:
    bool m_bFocused = false;
};

// A view mode: "hide-both", "hide-right", "show-both".
class CElementViewState : public CElementFocusState {
public:
    using CElementFocusState::CElementFocusState;
};

// A play order: "sequence", "random", "loop".
class CElementPlayOrder : public CElementFocusState {
public:
    using CElementFocusState::CElementFocusState;
};

// The speaker button: "mute" while the Mute setting is on, else "sound".
class CElementSoundMute : public CElementModeState {
public:
    using CElementModeState::CElementModeState;
    CString GetState() override;
};

// The volume slider: the speaker's state word, and the stored volume as its value.
class CElementVolumeSlider : public CElementModeState {
public:
    using CElementModeState::CElementModeState;
    CString GetState() override;
    // Writes the Volume setting into "value" of the element named by the first sub-element id.
    void ShowVolume();
};

// "pause" while a file plays, else "play".
class CElementPlayPause : public CElementModeState {
public:
    using CElementModeState::CElementModeState;
    CString GetState() override;
};

// "restore" while the window is maximised (the MaximizeWindow setting), else "max".
class CElementMaxRestore : public CElementModeState {
public:
    using CElementModeState::CElementModeState;
    CString GetState() override;
};
