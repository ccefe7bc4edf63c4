#include "platform/wx/test_support/pointer_shape.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

std::string PointerShapeName(const std::string& display)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr)
        return {};
    std::string name;
    int eventBase = 0;
    int errorBase = 0;
    if (XFixesQueryExtension(connection, &eventBase, &errorBase)) {
        if (XFixesCursorImage* image = XFixesGetCursorImage(connection)) {
            if (image->name != nullptr)
                name = image->name;
            XFree(image);
        }
    }
    XCloseDisplay(connection);
    return name;
}
