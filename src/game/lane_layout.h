// The numbers of the five lanes that the game, its asset generator, its chart composer and
// its tests share: plain constants, no SDL. Index 0 is lane 1.
#pragma once

constexpr int LANE_COUNT = 5;

// Screen x of each lane's left edge: its notes, its fret target and its hit flame.
constexpr int LANE_X[LANE_COUNT] = {80, 110, 145, 177, 210};

// Slots of each lane's note pool: the most notes a chart may place in the lane.
constexpr int LANE_SLOTS[LANE_COUNT] = {311, 260, 250, 126, 100};

// x of each lane's 31 x 23 note frame in the note sheet (img/sprite/notas.png).
constexpr int NOTE_FRAME_X[LANE_COUNT] = {0, 31, 64, 97, 129};

// x of each lane's pressed-fret frame in the fret sheet (img/sprite/frets.png), row 70.
constexpr int PRESSED_FRAME_X[LANE_COUNT] = {0, 31, 65, 97, 131};
