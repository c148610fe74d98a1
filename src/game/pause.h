// The pause screen: clock, notes and sound frozen until the song is resumed or left.
#pragma once

extern int pause_menu; // 0 while the pause screen runs; 1 once the resume key was pressed

// Runs the pause screen over the song's last frame. Returns true when the song resumes
// (music and channels running again, BPS 10), false when it was left with SELECT (notes
// reset; the caller goes to the menu cycle start).
bool pause_screen_run();
