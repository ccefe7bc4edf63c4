#pragma once
// What the window system shows of a button.

class wxWindow;

// The button is drawn pressed: a mouse button holds it down with the pointer over it.
bool IsShownPressed(const wxWindow& button);
