// The song library screen: every song of the player's song folders in one list, with the
// highlighted song's details and preview, and the choice of a difficulty to play it at.
#pragma once
#include <string>

// The highlighted entry of library_entries; kept for the whole run.
extern int library_cursor;

// Runs the screen until a song is chosen or B is pressed. UP and DOWN move one song (held,
// they repeat), L and R a page, LEFT and RIGHT to the first song of the previous or next
// first letter of the artists; A asks for a difficulty among those the chart has, then
// makes the song the chosen one. Returns true when a song was chosen (the menu music is
// released, the song starts next), false on B.
bool run_library();

// Index of the first song of the letter group `step` groups (-1 or +1) away from the one
// holding entry `at`, wrapping around; LEFT inside a group goes to its first song. The
// groups are the first characters of the artists' sort keys.
int library_letter_step(int at, int step);

// The label of the letter group holding entry `at`: its upper-case letter, "#" for other
// characters, "-" for songs without an artist.
std::string library_letter_label(int at);
