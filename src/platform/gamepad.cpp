// Game controllers turned into the key presses and releases of the handheld's buttons.
#include "platform/gamepad.h"

#include "platform/buttons.h"
#include "platform/sdl2.h"

#include <cstdlib>

namespace {

// The keys a controller can press, one slot each, so that a key held by several
// controls (d-pad, stick, another controller) is pressed once and released once.
enum PadKey {
    PK_A,
    PK_B,
    PK_X,
    PK_Y,
    PK_L,
    PK_R,
    PK_START,
    PK_SELECT,
    PK_UP,
    PK_DOWN,
    PK_LEFT,
    PK_RIGHT,
    PK_COUNT,
    PK_NONE = -1
};
const SDLKey pad_keys[PK_COUNT] = {BUTTON_A, BUTTON_B,  BUTTON_X,     BUTTON_Y,
                                   BUTTON_L, BUTTON_R,  BUTTON_START, BUTTON_SELECT,
                                   SDLK_UP,  SDLK_DOWN, SDLK_LEFT,    SDLK_RIGHT};

// sdl12-compat hands a game controller to SDL 1.2 with SDL's standard button numbers:
// 0 A, 1 B, 2 X, 3 Y, 4 Back, 5 Guide, 6 Start, 7 and 8 the stick presses, 9 and 10 the
// shoulders, 11 to 14 d-pad up, down, left, right.
const PadKey button_keys[] = {PK_A,    PK_B, PK_X, PK_Y,  PK_SELECT, PK_NONE, PK_START, PK_NONE,
                              PK_NONE, PK_L, PK_R, PK_UP, PK_DOWN,   PK_LEFT, PK_RIGHT};
const int BUTTON_COUNT = sizeof button_keys / sizeof button_keys[0];

// The left stick (axes 0 and 1) presses past half its travel and releases below a
// quarter, so a stick resting near a threshold gives no stream of presses.
const int STICK_PRESS = 16384;
const int STICK_RELEASE = 8192;

const int MAX_PADS = 8;
struct Pad {
    SDL_Joystick *joystick;
    Uint32 buttons; // the mapped buttons held, one bit per button number
    int stick[2];   // -1, 0 or 1 per axis: which way the stick presses
    Uint8 hat;      // the first hat's direction bits (joysticks without the layout)
};
Pad pads[MAX_PADS];
int pad_count = 0;
int held[PK_COUNT]; // how many controls hold each key

// The key events made and not yet taken.
const int QUEUE_SIZE = 64;
SDL_Event queue[QUEUE_SIZE];
int queue_head = 0, queue_length = 0;

// SDL2's joystick count, when sdl12-compat serves SDL 1.2; null on the classic SDL 1.2,
// which has no controller layout and no hot-plugging.
int (*sdl2_num_joysticks)() = nullptr;
int known_count = -1; // joysticks SDL2 counted when the controllers were last opened

void push_key(PadKey key, bool down) {
    if (queue_length == QUEUE_SIZE) return; // cannot happen: twelve keys, two events each
    SDL_Event &e = queue[(queue_head + queue_length++) % QUEUE_SIZE];
    SDL_memset(&e, 0, sizeof e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.type = e.type;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = pad_keys[key];
}

void hold(PadKey key) {
    if (key != PK_NONE && held[key]++ == 0) push_key(key, true);
}

void let_go(PadKey key) {
    if (key != PK_NONE && held[key] > 0 && --held[key] == 0) push_key(key, false);
}

void set_button(Pad &pad, int button, bool down) {
    if (button < 0 || button >= BUTTON_COUNT) return;
    Uint32 bit = 1u << button;
    if (down == ((pad.buttons & bit) != 0)) return;
    pad.buttons ^= bit;
    if (down)
        hold(button_keys[button]);
    else
        let_go(button_keys[button]);
}

// Axis 0 presses left or right, axis 1 up or down.
void set_stick(Pad &pad, int axis, int direction) {
    int &now = pad.stick[axis];
    if (direction == now) return;
    const PadKey keys[2][2] = {{PK_LEFT, PK_RIGHT}, {PK_UP, PK_DOWN}};
    if (now) let_go(keys[axis][now > 0]);
    now = direction;
    if (now) hold(keys[axis][now > 0]);
}

void move_stick(Pad &pad, int axis, int value) {
    if (axis < 0 || axis > 1) return;
    int direction = pad.stick[axis];
    if (value >= STICK_PRESS)
        direction = 1;
    else if (value <= -STICK_PRESS)
        direction = -1;
    else if (value > -STICK_RELEASE && value < STICK_RELEASE)
        direction = 0;
    else if ((direction > 0) != (value > 0))
        direction = 0; // between the thresholds on the other side: let go only
    set_stick(pad, axis, direction);
}

void set_hat(Pad &pad, Uint8 value) {
    const Uint8 bits[4] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
    const PadKey keys[4] = {PK_UP, PK_DOWN, PK_LEFT, PK_RIGHT};
    for (int i = 0; i < 4; ++i) {
        bool was = pad.hat & bits[i], is = value & bits[i];
        if (was && !is) let_go(keys[i]);
        if (is && !was) hold(keys[i]);
    }
    pad.hat = value;
}

// Lets go of everything `pad` holds.
void release_pad(Pad &pad) {
    for (int b = 0; b < BUTTON_COUNT; ++b)
        set_button(pad, b, false);
    set_stick(pad, 0, 0);
    set_stick(pad, 1, 0);
    set_hat(pad, 0);
}

void open_all() {
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    pad_count = 0;
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count && pad_count < MAX_PADS; ++i) {
        Pad &pad = pads[pad_count++];
        pad = Pad();
        pad.joystick = SDL_JoystickOpen(i);
    }
    SDL_JoystickEventState(SDL_ENABLE);
    if (sdl2_num_joysticks) known_count = sdl2_num_joysticks();
}

Pad *pad_of(int which) { return which >= 0 && which < pad_count ? &pads[which] : nullptr; }

} // namespace

void gamepad_prepare() { setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0); }

void gamepad_start() {
    sdl2_num_joysticks = reinterpret_cast<int (*)()>(sdl2_function("SDL_NumJoysticks"));
    if (sdl2_num_joysticks) {
        // sdl12-compat opens controllers but does not start SDL2's controller subsystem,
        // without which no controller event is ever sent.
        auto init = reinterpret_cast<int (*)(Uint32)>(sdl2_function("SDL_InitSubSystem"));
        const Uint32 SDL2_INIT_GAMECONTROLLER = 0x2000;
        if (init) init(SDL2_INIT_GAMECONTROLLER);
        // SDL 1.2 counts and opens joysticks when its joystick subsystem starts: start it
        // again, now with the controller subsystem running beneath it.
        if (SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    open_all();
}

void gamepad_rescan() {
    if (!sdl2_num_joysticks || sdl2_num_joysticks() == known_count) return;
    for (int i = 0; i < pad_count; ++i) {
        release_pad(pads[i]);
        if (pads[i].joystick) SDL_JoystickClose(pads[i].joystick);
    }
    pad_count = 0;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    open_all();
}

bool gamepad_translate(const SDL_Event &event) {
    Pad *pad;
    switch (event.type) {
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if ((pad = pad_of(event.jbutton.which)))
            set_button(*pad, event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
        return true;
    case SDL_JOYAXISMOTION:
        if ((pad = pad_of(event.jaxis.which)))
            move_stick(*pad, event.jaxis.axis, event.jaxis.value);
        return true;
    case SDL_JOYHATMOTION:
        if ((pad = pad_of(event.jhat.which)) && event.jhat.hat == 0)
            set_hat(*pad, event.jhat.value);
        return true;
    case SDL_JOYBALLMOTION:
        return true;
    default:
        return false;
    }
}

int gamepad_take(SDL_Event *event) {
    if (!queue_length) return 0;
    *event = queue[queue_head];
    queue_head = (queue_head + 1) % QUEUE_SIZE;
    --queue_length;
    return 1;
}
