// SIGTERM, which a handheld firmware's exit hot-key sends, ends the real game through the
// poll of whichever screen is running, as the exit entry does.
#include "platform/platform.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(Ending, SigtermEndsTheGameFromEveryScreensPoll) {
    for (int screen = 0; screen < SCREEN_COUNT; ++screen) {
        EXPECT_EXIT(
            {
                platform_start_real();
                SDL_Init(SDL_INIT_VIDEO);
                platform_set_video_mode(320, 240, 16);
                std::raise(SIGTERM);
                SDL_Event event;
                for (;;)
                    platform_poll(&event, static_cast<ScreenId>(screen));
            },
            testing::ExitedWithCode(0), "")
            << "screen " << screen;
    }
}

} // namespace
