#include "host/x11/x11_presenter_x11.h"

#include <X11/Xutil.h>
#include <X11/extensions/shm.h>
#include <cairo-xlib.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

bool attachFailed = false;

int NoteAttachError(Display*, XErrorEvent*) {
    attachFailed = true;
    return 0;
}

// Cairo's opaque pixel: a 32-bit word 0x00RRGGBB in the machine's byte order.
bool LaidOutAsCairo(const XImage* image, int width) {
    const bool littleEndian = [] {
        const uint16_t probe = 1;
        return *reinterpret_cast<const uint8_t*>(&probe) == 1;
    }();
    return image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
           image->blue_mask == 0xFF && (image->byte_order == LSBFirst) == littleEndian &&
           image->bytes_per_line == cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
}

}  // namespace

X11Presenter::X11Presenter(Display* display, Window window, const XWindowAttributes& attributes, int width,
                           int height)
    : display_(display), window_(window) {
    if (AttachSharedImage(attributes, width, height)) {
        gc_ = XCreateGC(display, window, 0, nullptr);
    } else {
        surface_.reset(cairo_xlib_surface_create(display, window, attributes.visual, width, height));
    }
}

X11Presenter::~X11Presenter() {
    surface_.reset();
    ReleaseSharedImage();
    if (gc_ != nullptr) XFreeGC(display_, gc_);
}

bool X11Presenter::AttachSharedImage(const XWindowAttributes& attributes, int width, int height) {
    if (width <= 0 || height <= 0 || !XShmQueryExtension(display_)) return false;
    image_ = XShmCreateImage(display_, attributes.visual, attributes.depth, ZPixmap, nullptr, &segment_, width,
                             height);
    if (image_ == nullptr) return false;
    // A display whose pixels Cairo cannot lay out gets no segment at all.
    if (!LaidOutAsCairo(image_, width)) {
        ReleaseSharedImage();
        return false;
    }
    segment_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
    void* memory = segment_.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(segment_.shmid, nullptr, 0);
    if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);  // gone once both sides let go
    if (memory == reinterpret_cast<void*>(-1)) {
        ReleaseSharedImage();
        return false;
    }
    segment_.shmaddr = image_->data = static_cast<char*>(memory);
    segment_.readOnly = False;
    // A display on another machine refuses the segment, and says so only in an error.
    attachFailed = false;
    XSync(display_, False);
    const auto previous = XSetErrorHandler(NoteAttachError);
    attached_ = XShmAttach(display_, &segment_) != 0;
    XSync(display_, False);
    XSetErrorHandler(previous);
    attached_ = attached_ && !attachFailed;
    if (!attached_) ReleaseSharedImage();
    return attached_;
}

void X11Presenter::ReleaseSharedImage() {
    if (image_ == nullptr) return;
    if (attached_) {
        XShmDetach(display_, &segment_);
        XSync(display_, False);
    }
    if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    attached_ = false;
    segment_ = XShmSegmentInfo{};
}

bool X11Presenter::Note(const XEvent& event) {
    if (image_ == nullptr || event.type != XShmGetEventBase(display_) + ShmCompletion) return false;
    // An answer to an earlier frame's request says nothing of the last one.
    if (event.xany.serial >= lastPut_) reading_ = false;
    return true;
}

void X11Presenter::AwaitRead() {
    if (!reading_) return;
    // Thirty frames a second, the answer is in long before the next frame; should it not be,
    // a round trip makes sure the server is done with every request.
    XSync(display_, False);
    reading_ = false;
}

unsigned char* X11Presenter::FrameMemory() const {
    return image_ != nullptr ? reinterpret_cast<unsigned char*>(image_->data) : nullptr;
}

void X11Presenter::Show(cairo_surface_t* picture, const cairo_region_t* region) {
    // The clocks draw into the picture's memory through surfaces of their own.
    cairo_surface_flush(picture);
    cairo_surface_mark_dirty(picture);
    if (image_ != nullptr) {
        const int count = cairo_region_num_rectangles(region);
        for (int i = 0; i < count; ++i) {
            cairo_rectangle_int_t r;
            cairo_region_get_rectangle(region, i, &r);
            // The server reads the shared frame when it gets to the request and tells when it
            // has read the last rectangle: the next frame may only be drawn after that.
            if (i == count - 1) lastPut_ = NextRequest(display_);
            XShmPutImage(display_, window_, gc_, image_, r.x, r.y, r.x, r.y, r.width, r.height, i == count - 1);
        }
        if (count > 0) reading_ = true;
        XFlush(display_);
        return;
    }
    cairo_t* cr = cairo_create(surface_.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture, 0, 0);
    for (int i = 0; i < cairo_region_num_rectangles(region); ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region, i, &r);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    }
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface_.get());
}
