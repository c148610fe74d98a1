// Stopwatch arithmetic in 32-bit wrap-around, like the SDL tick counter it reads.
#include "game/timer.h"

#include "platform/platform.h"

Timer *frame_timer;

namespace {
Sint32 now() { return static_cast<Sint32>(platform_ticks()); }
Sint32 since(Sint32 mark) {
    return static_cast<Sint32>(static_cast<Uint32>(now()) - static_cast<Uint32>(mark));
}
} // namespace

Timer::Timer() : start_mark(0), paused_elapsed(0), paused_flag(false), started_flag(false) {}

void Timer::start() {
    started_flag = true;
    paused_flag = false;
    start_mark = now();
}

void Timer::stop() {
    started_flag = false;
    paused_flag = false;
}

void Timer::pause() {
    if (started_flag && !paused_flag) {
        paused_flag = true;
        paused_elapsed = since(start_mark);
    }
}

void Timer::unpause() {
    if (paused_flag) {
        paused_flag = false;
        start_mark =
            static_cast<Sint32>(static_cast<Uint32>(now()) - static_cast<Uint32>(paused_elapsed));
        paused_elapsed = 0;
    }
}

int Timer::get_ticks() const {
    if (!started_flag) return 0;
    if (paused_flag) return paused_elapsed;
    return since(start_mark);
}
