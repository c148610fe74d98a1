// The dummy 320x240x16 screen and the game's fonts, opened once for in-process tests.
#pragma once

// Opens the video mode and the three fonts (from the generated asset tree) into the
// game's globals, and sets the text colours. They stay open for the rest of the test run:
// closing and reopening the video mode makes SDL2 keep bookkeeping behind.
void open_test_video();
