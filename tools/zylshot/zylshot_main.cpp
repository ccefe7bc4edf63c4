// zylshot: what the tests and `make run` need to see of an X display, without a toolkit:
//   zylshot png FILE [WINDOW]   the screen (or one window, by id) as a PNG file
//   zylshot pixel X Y [WINDOW]  the colour at a point as "R G B"
//   zylshot size WINDOW         a window's size as "WIDTH HEIGHT"
//   zylshot titles              every top-level window as "ID TITLE", one a line
//   zylshot children WINDOW     the window's mapped children as "ID WIDTH HEIGHT", depth first
//   zylshot clipboard           the size of the clipboard's picture (asked for as PNG) as "WIDTH HEIGHT"
//   zylshot inshape X Y WINDOW  whether a point of the window lies in its shape: "in" or "out"
//   zylshot tooltips            every mapped tooltip window as "ID X Y WIDTH HEIGHT" on the screen
// The display is the one DISPLAY names. Exit status 1 with a message on failure.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <png.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct ImageDeleter
{
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDeleter>;

int Fail(const char* text)
{
    std::fprintf(stderr, "zylshot: %s\n", text);
    return 1;
}

Window WindowArgument(Display* display, int argc, char** argv, int index)
{
    return index < argc ? static_cast<Window>(std::strtoul(argv[index], nullptr, 0)) : DefaultRootWindow(display);
}

ImagePtr Grab(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return nullptr;
    return ImagePtr(XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap));
}

void ColourAt(XImage* image, int x, int y, unsigned char rgb[3])
{
    const unsigned long pixel = XGetPixel(image, x, y);
    const auto channel = [pixel](unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        const unsigned long value = (pixel >> shift) & mask;
        return static_cast<unsigned char>(mask == 0 ? 0 : value * 255 / mask);
    };
    rgb[0] = channel(image->red_mask);
    rgb[1] = channel(image->green_mask);
    rgb[2] = channel(image->blue_mask);
}

int WritePng(XImage* image, const char* path)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return Fail("cannot write the file");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return Fail("cannot encode the picture");
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, image->width, image->height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row(static_cast<size_t>(image->width) * 3);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x)
            ColourAt(image, x, y, &row[static_cast<size_t>(x) * 3]);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 ? 0 : Fail("cannot write the file");
}

std::string TitleOf(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// Every window below `window` and itself, depth first.
void ForEachWindow(Display* display, Window window, const std::function<void(Window)>& visit)
{
    visit(window);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        ForEachWindow(display, children[i], visit);
    if (children != nullptr)
        XFree(children);
}

bool IsViewableWindow(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Windows with a title, depth first, so a window manager's frames do not hide the clients.
void ListTitles(Display* display)
{
    ForEachWindow(display, DefaultRootWindow(display), [display](Window window) {
        const std::string title = TitleOf(display, window);
        if (!title.empty() && IsViewableWindow(display, window))
            std::printf("0x%lx %s\n", window, title.c_str());
    });
}

void ListChildren(Display* display, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
            std::printf("0x%lx %d %d\n", children[i], attributes.width, attributes.height);
            ListChildren(display, children[i]);
        }
    }
    if (children != nullptr)
        XFree(children);
}

uint32_t BigEndian32(const unsigned char* bytes)
{
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

// Asks the clipboard's owner for its picture as PNG and reads the size from the header chunk.
int PrintClipboardPictureSize(Display* display)
{
    constexpr int kWaitSteps = 500;
    constexpr auto kWaitStep = std::chrono::milliseconds(10);
    constexpr unsigned long kHeaderBytes = 24;
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom png = XInternAtom(display, "image/png", False);
    const Atom property = XInternAtom(display, "ZYLSHOT_CLIPBOARD", False);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(display, clipboard, png, property, window, CurrentTime);
    XFlush(display);
    XEvent event;
    int step = 0;
    while (!XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
        if (++step == kWaitSteps)
            return Fail("the clipboard's owner did not answer");
        std::this_thread::sleep_for(kWaitStep);
    }
    if (event.xselection.property == None)
        return Fail("no picture on the clipboard");
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success ||
        data == nullptr)
        return Fail("cannot read the clipboard's picture");
    int status = 0;
    if (type != png || count < kHeaderBytes || std::memcmp(data + 12, "IHDR", 4) != 0)
        status = Fail("the clipboard's picture is no PNG");
    else
        std::printf("%u %u\n", BigEndian32(data + 16), BigEndian32(data + 20));
    XFree(data);
    return status;
}

// A window without a shape of its own is its whole rectangle.
int PrintInShape(Display* display, Window window, int x, int y)
{
    int eventBase = 0;
    int errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase))
        return Fail("the server has no shape extension");
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return Fail("no such window");
    int count = 0;
    int ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = x >= rects[i].x && x < rects[i].x + rects[i].width && y >= rects[i].y &&
                 y < rects[i].y + rects[i].height;
    }
    if (rects != nullptr)
        XFree(rects);
    std::printf("%s\n", inside ? "in" : "out");
    return 0;
}

bool IsTooltip(Display* display, Window window)
{
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom tooltip = XInternAtom(display, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, type, 0, 16, False, XA_ATOM, &actual, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == tooltip;
        XFree(data);
    }
    return found;
}

void ListTooltips(Display* display)
{
    ForEachWindow(display, DefaultRootWindow(display), [display](Window window) {
        XWindowAttributes attributes;
        if (!IsTooltip(display, window) || !XGetWindowAttributes(display, window, &attributes) ||
            attributes.map_state != IsViewable)
            return;
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        std::printf("0x%lx %d %d %d %d\n", window, x, y, attributes.width, attributes.height);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Fail("usage: zylshot png FILE [WINDOW] | pixel X Y [WINDOW] | size WINDOW | titles | children WINDOW | "
                    "clipboard | inshape X Y WINDOW | tooltips");
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return Fail("cannot open the display");
    const std::string command = argv[1];
    int status = 0;
    if (command == "png" && argc >= 3) {
        ImagePtr image = Grab(display, WindowArgument(display, argc, argv, 3));
        status = image ? WritePng(image.get(), argv[2]) : Fail("cannot read the window");
    } else if (command == "pixel" && argc >= 4) {
        ImagePtr image = Grab(display, WindowArgument(display, argc, argv, 4));
        const int x = std::atoi(argv[2]);
        const int y = std::atoi(argv[3]);
        if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) {
            status = Fail("no such point");
        } else {
            unsigned char rgb[3];
            ColourAt(image.get(), x, y, rgb);
            std::printf("%d %d %d\n", rgb[0], rgb[1], rgb[2]);
        }
    } else if (command == "size" && argc >= 3) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, WindowArgument(display, argc, argv, 2), &attributes))
            std::printf("%d %d\n", attributes.width, attributes.height);
        else
            status = Fail("no such window");
    } else if (command == "children" && argc >= 3) {
        ListChildren(display, WindowArgument(display, argc, argv, 2));
    } else if (command == "clipboard") {
        status = PrintClipboardPictureSize(display);
    } else if (command == "inshape" && argc >= 5) {
        status = PrintInShape(display, WindowArgument(display, argc, argv, 4), std::atoi(argv[2]), std::atoi(argv[3]));
    } else if (command == "tooltips") {
        ListTooltips(display);
    } else if (command == "titles") {
        ListTitles(display);
    } else {
        status = Fail("unknown command");
    }
    XCloseDisplay(display);
    return status;
}
