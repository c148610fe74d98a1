// A virtual SDL2 controller, plugged in and pulled out, presses the handheld's keys.
#include "platform/platform.h"
#include "platform/sdl2.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// SDL2's SDL_VirtualJoystickDesc (version 1), which the SDL 1.2 headers do not declare.
struct VirtualPad {
    Uint16 version, type, naxes, nbuttons, nhats, vendor_id, product_id, padding;
    Uint32 button_mask, axis_mask;
    const char *name;
    void *userdata;
    void *callbacks[6];
};

template <class F> F sdl2(const char *name) { return reinterpret_cast<F>(sdl2_function(name)); }

// The key events the game's poll hands out within `ms` milliseconds, as "+name -name".
std::string keys_within(Uint32 ms) {
    std::string keys;
    Uint32 until = SDL_GetTicks() + ms;
    while (SDL_GetTicks() < until) {
        SDL_Event e;
        while (platform_poll(&e, SCREEN_SONG)) {
            if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) continue;
            keys += std::string(keys.empty() ? "" : " ") + (e.type == SDL_KEYDOWN ? "+" : "-") +
                    SDL_GetKeyName(e.key.keysym.sym);
        }
        SDL_Delay(5);
    }
    return keys;
}

// The real game on the dummy display, and the virtual joystick `desc` plugged in: its
// device index and the joystick opened; `pad` stays null when the SDL2 beneath has no
// virtual joysticks (before 2.24, as Debian 11's).
void start_with_pad(const VirtualPad &desc, int &device, void *&pad) {
    pad = nullptr;
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1); // the dummy window has no focus
    platform_start_real();
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
    ASSERT_NE(platform_set_video_mode(320, 240, 16), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 320); // the dummy driver is never scaled
    auto attach = sdl2<int (*)(const VirtualPad *)>("SDL_JoystickAttachVirtualEx");
    auto open = sdl2<void *(*)(int)>("SDL_JoystickOpen");
    if (!attach || !open) return;
    device = attach(&desc);
    ASSERT_GE(device, 0);
    pad = open(device);
    ASSERT_NE(pad, nullptr);
}

TEST(Gamepad, PluggedInControllerPressesTheHandheldsKeysAndReleasesThemWhenPulledOut) {
    // A standard controller: SDL gives it the layout of its controller database.
    VirtualPad desc = {};
    desc.version = 1;
    desc.type = 1; // SDL_JOYSTICK_TYPE_GAMECONTROLLER
    desc.naxes = 6;
    desc.nbuttons = 15;
    desc.button_mask = 0x7fff;
    desc.axis_mask = 0x3f;
    desc.name = "Virtual Pad";
    int device;
    void *pad;
    ASSERT_NO_FATAL_FAILURE(start_with_pad(desc, device, pad));
    if (!pad) GTEST_SKIP() << "this SDL2 has no virtual joysticks";
    auto button = sdl2<int (*)(void *, int, Uint8)>("SDL_JoystickSetVirtualButton");
    auto axis = sdl2<int (*)(void *, int, Sint16)>("SDL_JoystickSetVirtualAxis");
    auto detach = sdl2<int (*)(int)>("SDL_JoystickDetachVirtual");
    ASSERT_TRUE(button && axis && detach);
    EXPECT_EQ(keys_within(1500), ""); // found within a second, and nothing pressed

    const int A = 0, B = 1, DPAD_UP = 11, LEFT_X = 0, LEFT_Y = 1;
    button(pad, A, 1);
    EXPECT_EQ(keys_within(100), "+left ctrl");
    button(pad, A, 0);
    EXPECT_EQ(keys_within(100), "-left ctrl");

    // Past half the travel presses, back below a quarter releases; in between, nothing.
    std::string stick;
    for (Sint16 x : {12000, 20000, 12000, 32767, 9000, 4000, -20000, 0}) {
        axis(pad, LEFT_X, x);
        std::string keys = keys_within(60);
        stick += (stick.empty() || keys.empty() ? "" : " ") + keys;
    }
    EXPECT_EQ(stick, "+right -right +left -left");

    button(pad, B, 1);
    button(pad, DPAD_UP, 1);
    EXPECT_EQ(keys_within(100), "+left alt +up");
    axis(pad, LEFT_Y, 30000);
    EXPECT_EQ(keys_within(100), "+down");
    detach(device);
    EXPECT_EQ(keys_within(1500), "-down -left alt -up");
}

// A handheld's built-in pad as the port collection hands it over: a joystick SDL knows no
// layout for (its d-pad four buttons), and the firmware's mapping line for its GUID in
// SDL_GAMECONTROLLERCONFIG, here with A and B on the other button numbers.
TEST(Gamepad, HandheldPadPressesTheButtonsKeysThroughTheFirmwaresMapping) {
    // SDL's GUID of a virtual joystick (bus ff) of vendor 1, product 1, the numbers of
    // handhelds' built-in pads; the name's checksum left out, as the collection's lines do.
    setenv("SDL_GAMECONTROLLERCONFIG",
           "ff000000010000000100000000007600,GO-Super Gamepad,a:b1,b:b0,x:b2,y:b3,"
           "leftshoulder:b4,rightshoulder:b5,back:b8,start:b9,dpup:b13,dpdown:b14,"
           "dpleft:b15,dpright:b16,leftx:a0,lefty:a1,platform:Linux,",
           1);
    VirtualPad desc = {};
    desc.version = 1;
    desc.naxes = 2;
    desc.nbuttons = 17;
    desc.vendor_id = 1;
    desc.product_id = 1;
    desc.name = "GO-Super Gamepad";
    int device;
    void *pad;
    ASSERT_NO_FATAL_FAILURE(start_with_pad(desc, device, pad));
    if (!pad) GTEST_SKIP() << "this SDL2 has no virtual joysticks";
    auto button = sdl2<int (*)(void *, int, Uint8)>("SDL_JoystickSetVirtualButton");
    ASSERT_TRUE(button);
    EXPECT_EQ(keys_within(1500), "");

    std::string keys;
    for (int b : {1, 0, 2, 3, 4, 5, 8, 9, 13, 14, 15, 16}) {
        button(pad, b, 1);
        keys += keys_within(60) + " ";
        button(pad, b, 0);
        keys += keys_within(60) + " / ";
    }
    EXPECT_EQ(keys, "+left ctrl -left ctrl / +left alt -left alt / +space -space / "
                    "+left shift -left shift / +tab -tab / +backspace -backspace / "
                    "+escape -escape / +return -return / +up -up / +down -down / "
                    "+left -left / +right -right / ");
}

} // namespace
