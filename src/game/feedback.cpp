// Hit flames.
#include "game/feedback.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/lanes.h"
#include "game/look.h"

bool flame_unshown = false;

SDL_Rect src_hitflames11 = {320, 0, 32, 64};
SDL_Rect dst_hitflames1 = {LANE_X[0], 155, 0, 0};
SDL_Rect dst_hitflames2 = {LANE_X[1], 155, 0, 0};
SDL_Rect dst_hitflames3 = {LANE_X[2], 155, 0, 0};
SDL_Rect dst_hitflames4 = {LANE_X[3], 155, 0, 0};
SDL_Rect dst_hitflames5 = {LANE_X[4], 155, 0, 0};

namespace {

// The sheets by flame_menu; the globals run one ahead of their file numbers.
SDL_Surface **const flame_sheets[LOOK_MAX + 1] = {&hitflames, &hitflames1, &hitflames2,
                                                  &hitflames3};

} // namespace

void hit_flame(int lane) {
    const Lane *l = lane_at(lane);
    if (!l || flame_menu < 0 || flame_menu > LOOK_MAX) return;
    SDL_Surface *sheet = *flame_sheets[flame_menu];
    key_magenta(sheet);
    blit(sheet, &src_hitflames11, screen, l->flame);
    flame_unshown = true;
}

void keyhitflames1() { hit_flame(1); }
void keyhitflames2() { hit_flame(2); }
void keyhitflames3() { hit_flame(3); }
void keyhitflames4() { hit_flame(4); }
void keyhitflames5() { hit_flame(5); }
