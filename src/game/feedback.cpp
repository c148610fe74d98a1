// Hit flames.
#include "game/feedback.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "menus/gamelook.h"

bool flame_unshown = false;

SDL_Rect src_hitflames11 = {320, 0, 32, 64};
SDL_Rect dst_hitflames1 = {80, 155, 0, 0};
SDL_Rect dst_hitflames2 = {110, 155, 0, 0};
SDL_Rect dst_hitflames3 = {145, 155, 0, 0};
SDL_Rect dst_hitflames4 = {177, 155, 0, 0};
SDL_Rect dst_hitflames5 = {210, 155, 0, 0};

namespace {

SDL_Rect *const flame_spots[5] = {&dst_hitflames1, &dst_hitflames2, &dst_hitflames3,
                                  &dst_hitflames4, &dst_hitflames5};
// The sheets by flame_menu; the globals run one ahead of their file numbers.
SDL_Surface **const flame_sheets[4] = {&hitflames, &hitflames1, &hitflames2, &hitflames3};

} // namespace

void hit_flame(int lane) {
    if (lane < 1 || lane > 5 || flame_menu < 0 || flame_menu > 3) return;
    SDL_Surface *sheet = *flame_sheets[flame_menu];
    key_magenta(sheet);
    blit(sheet, &src_hitflames11, screen, flame_spots[lane - 1]);
    flame_unshown = true;
}

void keyhitflames1() { hit_flame(1); }
void keyhitflames2() { hit_flame(2); }
void keyhitflames3() { hit_flame(3); }
void keyhitflames4() { hit_flame(4); }
void keyhitflames5() { hit_flame(5); }
