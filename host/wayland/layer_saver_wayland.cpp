#include "host/wayland/layer_saver_wayland.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr char Program[] = "tarnwick-wayland";
// A compositor closes the surface of an output it removes a moment before it withdraws the output
// itself: a close is judged only once this has passed.
constexpr int64_t CloseSettleMs = 250;
// The versions whose requests and events the program uses; a compositor may offer newer ones.
constexpr uint32_t CompositorVersion = 4;  // wl_surface.damage_buffer
constexpr uint32_t OutputVersion = 4;      // wl_output.name
constexpr uint32_t SeatVersion = 5;
constexpr uint32_t LayerShellVersion = 3;
constexpr uint32_t XdgOutputVersion = 3;

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

// An owned file descriptor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

LayerSaver::LayerSaver(wl_display* display, SaverChoices choices)
    : display_(display), choices_(std::move(choices)), session_(choices_.settings, true, ReadClock()), world_(choices_.settings) {}

LayerSaver::~LayerSaver() {
    outputs_.clear();
    wl_display_flush(display_);
}

// ---- globals ----

void LayerSaver::OnGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    auto* saver = static_cast<LayerSaver*>(self);
    const auto is = [interface](const wl_interface& wanted) { return std::strcmp(interface, wanted.name) == 0; };
    if (is(wl_compositor_interface)) {
        saver->compositor_.reset(Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, CompositorVersion));
    } else if (is(wl_shm_interface)) {
        saver->shm_.reset(Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1));
    } else if (is(zwlr_layer_shell_v1_interface)) {
        saver->layerShell_.reset(
            Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, LayerShellVersion));
    } else if (is(zxdg_output_manager_v1_interface)) {
        saver->xdgOutputs_.reset(
            Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, XdgOutputVersion));
    } else if (is(wp_viewporter_interface)) {
        saver->viewporter_.reset(Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1));
    } else if (is(wp_fractional_scale_manager_v1_interface)) {
        saver->fractionalScale_.reset(Bind<wp_fractional_scale_manager_v1>(
            registry, name, &wp_fractional_scale_manager_v1_interface, version, 1));
    } else if (is(zwlr_output_power_manager_v1_interface)) {
        saver->outputPower_.reset(Bind<zwlr_output_power_manager_v1>(
            registry, name, &zwlr_output_power_manager_v1_interface, version, 1));
    } else if (is(wl_seat_interface) && saver->seat_ == nullptr) {
        static const wl_seat_listener seatListener = {OnCapabilities, OnSeatName};
        saver->seat_.reset(Bind<wl_seat>(registry, name, &wl_seat_interface, version, SeatVersion));
        saver->seatName_ = name;
        wl_seat_add_listener(saver->seat_.get(), &seatListener, saver);
    } else if (is(wl_output_interface)) {
        // Outputs listed before the shell and the compositor get their surfaces once those are known.
        if (saver->connected_) {
            saver->AddOutput(name, version);
        } else {
            saver->earlyOutputs_.emplace_back(name, version);
        }
    }
}

void LayerSaver::OnGlobalRemove(void* self, wl_registry*, uint32_t name) {
    auto* saver = static_cast<LayerSaver*>(self);
    if (saver->seat_ != nullptr && name == saver->seatName_) {
        saver->keyboard_.reset();
        saver->pointer_.reset();
        saver->seat_.reset();
        return;
    }
    auto& outputs = saver->outputs_;
    const auto gone = std::remove_if(outputs.begin(), outputs.end(),
                                     [name](const auto& output) { return output->GlobalName() == name; });
    if (gone == outputs.end()) return;
    outputs.erase(gone, outputs.end());
    saver->LayOut();
}

void LayerSaver::AddOutput(uint32_t name, uint32_t version) {
    auto* output = Bind<wl_output>(registry_.get(), name, &wl_output_interface, version, OutputVersion);
    outputs_.push_back(std::make_unique<OutputSurface>(*this, name, output, version));
}

bool LayerSaver::Connect() {
    static const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};
    registry_.reset(wl_display_get_registry(display_));
    wl_registry_add_listener(registry_.get(), &registryListener, this);
    if (wl_display_roundtrip(display_) < 0) return false;
    globals_ = {compositor_.get(), shm_.get(),           layerShell_.get(),      xdgOutputs_.get(),
                viewporter_.get(), fractionalScale_.get(), outputPower_.get()};
    connected_ = true;
    return true;
}

// ---- the seat ----

void LayerSaver::OnCapabilities(void* self, wl_seat* seat, uint32_t capabilities) {
    auto* saver = static_cast<LayerSaver*>(self);
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && saver->keyboard_ == nullptr) {
        static const wl_keyboard_listener keyboardListener = {OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                                              OnKey,    OnModifiers,     OnRepeatInfo};
        saver->keyboard_.reset(wl_seat_get_keyboard(seat));
        wl_keyboard_add_listener(saver->keyboard_.get(), &keyboardListener, saver);
    } else if (!keyboard) {
        saver->keyboard_.reset();
    }
    if (pointer && saver->pointer_ == nullptr) {
        static const wl_pointer_listener pointerListener = {
            OnPointerEnter, OnPointerLeave, OnMotion,     OnButton,       OnAxis,
            OnPointerFrame, OnAxisSource,   OnAxisStop,   OnAxisDiscrete, OnAxisValue120};
        saver->pointer_.reset(wl_seat_get_pointer(seat));
        wl_pointer_add_listener(saver->pointer_.get(), &pointerListener, saver);
    } else if (!pointer) {
        saver->pointer_.reset();
    }
}

// The keys need no map: any key ends the clock.
void LayerSaver::OnKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }

// Only presses end it: keys already held when the keyboard came are only ever released here.
void LayerSaver::OnKey(void* self, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    auto* saver = static_cast<LayerSaver*>(self);
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) saver->Carry(saver->session_.Input());
}

void LayerSaver::OnPointerEnter(void* self, wl_pointer* pointer, uint32_t serial, wl_surface*, wl_fixed_t,
                                wl_fixed_t) {
    // No cursor over the clock.
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    static_cast<LayerSaver*>(self)->session_.PointerEntered();
}

void LayerSaver::OnMotion(void* self, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    auto* saver = static_cast<LayerSaver*>(self);
    saver->Carry(saver->session_.Pointer({wl_fixed_to_int(x), wl_fixed_to_int(y)}));
}

void LayerSaver::OnButton(void* self, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
    auto* saver = static_cast<LayerSaver*>(self);
    if (state == WL_POINTER_BUTTON_STATE_PRESSED) saver->Carry(saver->session_.Input());
}

// ---- the layout, the power, the steps ----

// The outputs whose name and place are known, in the order the compositor listed them; the main
// one is the output named on the command line, else the first.
void LayerSaver::LayOut() {
    std::vector<OutputSurface*> ready;
    std::vector<MonitorArea> monitors;
    int main = -1;
    for (const auto& output : outputs_) {
        if (!output->Ready()) continue;
        if (main < 0 && !choices_.outputName.empty() && output->Name() == choices_.outputName) {
            main = static_cast<int>(ready.size());
        }
        ready.push_back(output.get());
        monitors.push_back({output->Place(), false});
    }
    if (monitors.empty()) return;
    monitors[main < 0 ? 0 : main].primary = true;
    ScreenRect all = monitors[0].rect;
    for (const MonitorArea& m : monitors) {
        all = {std::min(all.left, m.rect.left), std::min(all.top, m.rect.top), std::max(all.right, m.rect.right),
               std::max(all.bottom, m.rect.bottom)};
    }
    const std::vector<MonitorPlan> plans = LayOutClocks(monitors, all, choices_.settings, world_.Count());
    for (size_t i = 0; i < ready.size(); ++i) {
        const ScreenRect origin = monitors[i].rect;
        std::vector<ScreenRect> clocks;
        for (const ScreenRect& r : plans[i].clocks) {
            clocks.push_back({r.left - origin.left, r.top - origin.top, r.right - origin.left, r.bottom - origin.top});
        }
        ready[i]->ShowClocks(clocks);
    }
}

void LayerSaver::OutputChanged() {
    // A changed layout draws anew what changed; the session reads the time afresh for it.
    session_.LayoutChanged(ReadClock());
    LayOut();
}

// Off when no output with a clock is seen: every one powered off, or (where the compositor tells
// no power state) none of them returns its frames.
DisplayPower LayerSaver::Power() const {
    const int64_t now = MonotonicMs();
    bool anyClock = false;
    for (const auto& output : outputs_) {
        if (!output->Ready() || output->Closed() || !output->HasClock()) continue;
        anyClock = true;
        if (output->Seen(now)) return DisplayPower::On;
    }
    return anyClock ? DisplayPower::Off : DisplayPower::On;
}

void LayerSaver::VisibilityChanged() { Carry(session_.Display(Power(), ReadClock())); }

void LayerSaver::SurfaceClosed() {
    if (closeCheckMs_ < 0) closeCheckMs_ = MonotonicMs() + CloseSettleMs;
}

void LayerSaver::CheckClosed() {
    if (closeCheckMs_ < 0 || MonotonicMs() < closeCheckMs_) return;
    closeCheckMs_ = -1;
    // Surfaces of removed outputs are gone with their outputs by now; a closed one left means
    // the compositor closed the saver itself.
    for (const auto& output : outputs_) {
        if (output->Closed()) Carry(session_.Stop());
    }
}

void LayerSaver::Carry(const SessionStep& step) {
    if (step.end) {
        if (!ending_) exitCode_ = step.exitCode;
        ending_ = true;
        return;
    }
    if (!step.draw && !step.dialDirty) return;
    for (const auto& output : outputs_) {
        if (step.draw) {
            output->FrameDue(step.dialDirty);
        } else if (step.dialDirty) {
            output->FrameDue(true);
        }
    }
}

void LayerSaver::OnTick() {
    const ClockReading now = ReadClock();
    Carry(session_.Tick(now, Power(), battery_.OnBattery(now.instant)));
}

// ---- the loop ----

bool LayerSaver::PumpDisplay(short revents) {
    if ((revents & POLLIN) != 0) {
        if (wl_display_read_events(display_) < 0) return false;
    } else {
        wl_display_cancel_read(display_);
        if ((revents & (POLLERR | POLLHUP)) != 0) return false;
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

int LayerSaver::Run() {
    if (!Connect()) {
        std::fprintf(stderr, "%s: the connection to the compositor failed\n", Program);
        return 1;
    }
    if (compositor_ == nullptr || shm_ == nullptr || layerShell_ == nullptr) {
        std::fprintf(stderr, "%s: the compositor offers no layer shell (wlr-layer-shell)\n", Program);
        return 1;
    }
    for (const auto& [name, version] : earlyOutputs_) AddOutput(name, version);
    // The outputs, their names and places, and their first configures.
    if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
        std::fprintf(stderr, "%s: the connection to the compositor was lost\n", Program);
        return 1;
    }
    sigset_t stops;
    sigemptyset(&stops);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stops, signal);
    sigprocmask(SIG_BLOCK, &stops, nullptr);
    const Fd signals(signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK));
    const Fd timer(timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK));
    if (signals.Get() < 0 || timer.Get() < 0) {
        std::fprintf(stderr, "%s: %s\n", Program, std::strerror(errno));
        return 1;
    }
    pollfd watched[3] = {{wl_display_get_fd(display_), POLLIN, 0}, {timer.Get(), POLLIN, 0}, {signals.Get(), POLLIN, 0}};
    while (!ending_) {
        const ClockReading now = ReadClock();
        const int32_t wait = session_.MillisecondsUntilTick(now.instant);
        if (wait == 0) {
            OnTick();
            continue;
        }
        // An absolute wall-clock deadline, cancelled when the clock is set: a new time ticks at once.
        int64_t due = now.instant.seconds * 1000 + now.instant.nanoseconds / 1000000 + wait;
        const itimerspec deadline{{0, 0}, {static_cast<time_t>(due / 1000), static_cast<long>(due % 1000) * 1000000}};
        timerfd_settime(timer.Get(), TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &deadline, nullptr);

        while (wl_display_prepare_read(display_) != 0) {
            if (wl_display_dispatch_pending(display_) < 0) break;
        }
        if (ending_) {
            wl_display_cancel_read(display_);
            break;
        }
        if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display_);
            Carry(session_.Lost());
            break;
        }
        const int settle = closeCheckMs_ < 0 ? -1 : static_cast<int>(std::max<int64_t>(closeCheckMs_ - MonotonicMs(), 0));
        // A tick a glide frame away or sooner: the compositor's events wait for it and are read
        // then without waiting, which spares a wake-up or two a frame (a release, a frame done).
        const bool soon = wait <= GlideFrameWaitMs;
        watched[0].fd = soon ? -1 : wl_display_get_fd(display_);
        if (poll(watched, 3, settle) < 0 && errno != EINTR) {
            wl_display_cancel_read(display_);
            Carry(session_.Lost());
            break;
        }
        if (!PumpDisplay(soon ? POLLIN : watched[0].revents)) {
            Carry(session_.Lost());
            break;
        }
        if ((watched[1].revents & POLLIN) != 0) {
            uint64_t expirations = 0;
            // ECANCELED (the clock was set) needs no more than the fresh reading above.
            if (read(timer.Get(), &expirations, sizeof expirations) < 0 && errno != ECANCELED && errno != EAGAIN) break;
        }
        if ((watched[2].revents & POLLIN) != 0) Carry(session_.Stop());
        CheckClosed();
    }
    if (exitCode_ != 0) std::fprintf(stderr, "%s: the connection to the compositor was lost\n", Program);
    return exitCode_;
}
