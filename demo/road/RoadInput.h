// The user's hands on the road: keys and the pointer, through the system's input queue
// (what a person's keyboard and mouse produce), never messages posted to a window.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace road {

// Presses and releases the keys in order, then releases them in reverse order
// (PressKeys({VK_MENU, VK_F4}) is Alt+F4).
void PressKeys(std::initializer_list<WORD> keys);
// Types the text (letters, digits and the punctuation of the keyboard) key by key.
void TypeText(const char* text);
// Moves the pointer to the screen point and clicks the left button there.
void ClickAt(POINT screen);
// The same with two clicks in quick succession.
void DoubleClickAt(POINT screen);
// The centre of a window on the screen (a control of a dialog, say).
POINT CentreOf(HWND window);
// Brings the window to the front so that it takes the keys.
bool Activate(HWND window);

}  // namespace road
