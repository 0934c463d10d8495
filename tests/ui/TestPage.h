// Test pages of the program folder shown in skinned windows, with mouse and keyboard
// input through the windows' messages, as the engine receives it from the user.
#pragma once

#include <string>
#include <vector>

#include "TestSkinWnd.h"
#include "htmlayout/dom.h"

// Delivers the thread's messages for a while (the engine's posted events among them).
void PumpMessages();

// A copy of a page of the program folder under a name of this process's own: test
// programs run side by side in one program folder, and each prepares the copy it
// loads beside its template.
class OwnTemplate {
public:
    explicit OwnTemplate(LPCWSTR page);
    ~OwnTemplate();
    OwnTemplate(const OwnTemplate&) = delete;
    OwnTemplate& operator=(const OwnTemplate&) = delete;

    const CString& Name() const { return m_name; }
    bool Made() const { return m_made; }

private:
    CString m_name;
    bool m_made;
};

// Behaviour events that reached the window's handlers while bubbling, as
// "code source reason" with the source's "id" (or its inner text when it has none).
class EventLog {
public:
    // Attached to the window until the window is destroyed.
    void Attach(HWND hwnd);
    std::vector<std::string> events;

private:
    static BOOL CALLBACK Proc(LPVOID tag, HELEMENT he, UINT group, LPVOID params);
};

// A page in a skinned window over a visible frame away from the screen's corner, where
// the windows of other test programs appear.
class TestPage {
public:
    explicit TestPage(LPCWSTR page, CRecordingCtrlManager::Binder bind = nullptr);
    ~TestPage();

    // Creates the frame and the window; false when the page does not load.
    bool Open();
    CTestSkinWnd& Window() { return m_window; }
    CRecordingCtrlManager& Manager() { return *m_window.Manager(); }
    htmlayout::dom::element Find(LPCWSTR id) { return Manager().GetElementById(id); }

    // A press and release of the main button at the start of the element's text (on the
    // text: the element must hold text of its own), or in the middle of its box.
    // keys: MK_CONTROL, MK_SHIFT.
    void ClickText(HELEMENT he, WPARAM keys = 0);
    void ClickBox(HELEMENT he, WPARAM keys = 0);
    void DoubleClickText(HELEMENT he);
    // The mouse target at the start of the element's text, as a click there finds it.
    HELEMENT TargetAtText(HELEMENT he);
    // A key pressed and released with the modifiers held.
    void Key(UINT key, bool ctrl = false, bool shift = false);

private:
    POINT TextPoint(HELEMENT he);
    void Click(POINT point, WPARAM keys, bool twice);

    OwnTemplate m_template;
    CWnd m_frame;
    CTestSkinWnd m_window;
};
