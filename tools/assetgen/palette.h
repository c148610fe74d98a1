// The shared colours of Fretfall's art: night-stage purples, flame orange and the lane colours.
#pragma once

#include "canvas.h"
#include "game/lane_layout.h"

namespace assetgen {

constexpr Rgb kNight{14, 10, 30};    // darkest background
constexpr Rgb kDusk{46, 22, 84};     // lighter background
constexpr Rgb kFlame{255, 132, 24};  // brand accent
constexpr Rgb kGold{255, 214, 72};   // highlights and titles
constexpr Rgb kInk{16, 10, 24};      // outlines of text and sprites
constexpr Rgb kPaper{244, 240, 250}; // body text
constexpr Rgb kSteel{170, 172, 190}; // metal parts

// Lanes 1..5 from the left.
constexpr Rgb kLane[5] = {
    {46, 204, 74},  // green
    {232, 48, 52},  // red
    {250, 214, 40}, // yellow
    {44, 120, 240}, // blue
    {252, 140, 28}, // orange
};

} // namespace assetgen
