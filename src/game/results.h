// The end of a song: the fail sequence, and the win sequence with its results screen.
#pragma once

extern int wins;  // songs won, the tutorial excepted
extern int loses; // songs failed, the tutorial included
