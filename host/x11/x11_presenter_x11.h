// Shows frames in an X11 window. Where the display shares memory with us (MIT-SHM) and the
// window's pixels are laid out as Cairo's, the frame layer itself lives in a shared segment and
// showing a region costs the program no copy at all; otherwise Cairo's Xlib surface carries the
// pixels over.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <cairo.h>

#include "render/render_clock_cairo.h"

class X11Presenter {
public:
    X11Presenter(Display* display, Window window, const XWindowAttributes& attributes, int width, int height);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // The memory the window-sized picture must use, or null when it keeps its own.
    unsigned char* FrameMemory() const;
    // Copies the region of the window-sized picture to the window. From shared memory the copy
    // is the server's, done when it gets to it: AwaitRead before the picture is drawn again.
    void Show(cairo_surface_t* picture, const cairo_region_t* region);
    // Takes the server's word that it has read a shown frame; false for an event not of ours.
    bool Note(const XEvent& event);
    // Returns once the server has read the last frame shown.
    void AwaitRead();

private:
    bool AttachSharedImage(const XWindowAttributes& attributes, int width, int height);
    void ReleaseSharedImage();

    Display* display_;
    Window window_;
    GC gc_ = nullptr;
    XShmSegmentInfo segment_{};
    XImage* image_ = nullptr;  // over the shared segment, while there is one
    bool attached_ = false;    // the display has attached the segment
    bool reading_ = false;     // the server may still be reading the segment
    unsigned long lastPut_ = 0;  // the request that shows the last frame's last rectangle
    CairoSurface surface_;     // the window as a Cairo surface, when nothing is shared
};
