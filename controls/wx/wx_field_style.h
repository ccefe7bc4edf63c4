// The look of our edit fields under GTK: the theme's fields are 34 pixels high at least and
// would be cut in a row of 20; ours get a style class of their own with no minimum height and
// one pixel of padding.
#pragma once

class wxWindow;

void ApplyFieldStyle(wxWindow& field);
