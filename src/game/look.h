// The game look: which backdrop, hit-flame sheet and neck a song draws, set on the game look
// screen.
#pragma once

// Four pictures of each kind: each choice runs from 0 to LOOK_MAX.
const int LOOK_MAX = 3;

extern int bg_menu;    // backdrop 0..3
extern int flame_menu; // hit-flame sheet 0..3
extern int nk_menu;    // neck 0..3
