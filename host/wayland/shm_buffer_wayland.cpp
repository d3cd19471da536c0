#include "host/wayland/shm_buffer_wayland.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int BytesPerPixel = 4;

}  // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::Make(wl_shm* shm, int width, int height, ReleaseHandler onRelease,
                                           void* owner) {
    if (width <= 0 || height <= 0) return nullptr;
    const int stride = width * BytesPerPixel;
    const size_t size = static_cast<size_t>(stride) * height;
    const int fd = memfd_create("tarnwick-buffer", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    void* memory = MAP_FAILED;
    // A new file reads as zeros: a black picture before anything is drawn.
    if (ftruncate(fd, static_cast<off_t>(size)) == 0) {
        memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    std::unique_ptr<ShmBuffer> buffer(new ShmBuffer(width, height, memory, size, onRelease, owner));
    // The pool only carries the file over; the buffer keeps the compositor's mapping alive.
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size));
    buffer->buffer_.reset(wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888));
    wl_shm_pool_destroy(pool);
    close(fd);
    static const wl_buffer_listener listener = {OnRelease};
    wl_buffer_add_listener(buffer->buffer_.get(), &listener, buffer.get());
    return buffer;
}

ShmBuffer::ShmBuffer(int width, int height, void* memory, size_t size, ReleaseHandler onRelease, void* owner)
    : width_(width),
      height_(height),
      memory_(memory),
      size_(size),
      onRelease_(onRelease),
      owner_(owner),
      stale_(WholeRegion(width, height)) {}

ShmBuffer::~ShmBuffer() {
    buffer_.reset();
    munmap(memory_, size_);
}

void ShmBuffer::OnRelease(void* self, wl_buffer*) {
    auto* buffer = static_cast<ShmBuffer*>(self);
    buffer->busy_ = false;
    buffer->onRelease_(buffer->owner_);
}

int ShmBuffer::Stride() const { return width_ * BytesPerPixel; }

void ShmBuffer::CatchUp(const ShmBuffer* latest, const cairo_region_t* redrawn) {
    if (latest != nullptr && latest != this) {
        if (redrawn != nullptr) cairo_region_subtract(stale_.get(), redrawn);
        const unsigned char* from = latest->Pixels();
        unsigned char* to = Pixels();
        const size_t stride = static_cast<size_t>(Stride());
        const cairo_rectangle_int_t all{0, 0, width_, height_};
        cairo_region_intersect_rectangle(stale_.get(), &all);
        const int count = cairo_region_num_rectangles(stale_.get());
        for (int i = 0; i < count; ++i) {
            cairo_rectangle_int_t r;
            cairo_region_get_rectangle(stale_.get(), i, &r);
            const size_t offset = static_cast<size_t>(r.x) * BytesPerPixel;
            const size_t bytes = static_cast<size_t>(r.width) * BytesPerPixel;
            for (int y = r.y; y < r.y + r.height; ++y) {
                std::memcpy(to + y * stride + offset, from + y * stride + offset, bytes);
            }
        }
    }
    stale_ = EmptyRegion();
}
