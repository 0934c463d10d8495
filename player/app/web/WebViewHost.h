// What the web view asks of the main window besides its view interface. The main
// window implements it; the web view finds it behind the facade's main dialog.
#pragma once

#include <afx.h>

class IWebViewHost {
public:
    // Plays the play list's most recently played file, when there is one.
    virtual void PlayLastPlayed() = 0;
    // Shows the sign-in dialog pre-filled with the name.
    virtual void ShowLoginDialog(const CString& userName) = 0;
    // While cleared, a change of user does not reset the start view.
    virtual void SetStartViewFlag(bool set) = 0;
    virtual void HidePlayDialog() = 0;

protected:
    ~IWebViewHost() = default;
};

// The main window when the application's main window is the main dialog and its main
// window takes these calls; null otherwise.
IWebViewHost* FindWebViewHost();
