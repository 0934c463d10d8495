// What the tests of the skinned dialogs share: a screenshot kept as an artifact, a
// control's place in the dialog, the message box a step opened, and the pointer moved
// and pressed as the user would.
#pragma once

#include <afxwin.h>

#include <string>

#include "PointerInput.h"
#include "WindowCapture.h"

// Redraws the dialog, captures it and keeps the picture as artifacts\<name>.png.
WindowCapture KeepScreenshot(CWnd& window, const wchar_t* name);
// The control's rectangle in the dialog's client coordinates.
CRect ControlRect(CWnd& dialog, int id);
// The caption and text of the message box owned by the dialog, "" when none is open.
std::wstring OpenBoxText(CWnd& dialog);
// Presses the box's button when a box is open; true when one was.
bool AnswerOpenBox(CWnd& dialog, int button);
