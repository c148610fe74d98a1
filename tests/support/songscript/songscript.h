// Scripts for the headless driver that reach a song and press keys on its frames.

// Frame k is the k-th pass of the song loop (msec = 50 k); the presses come from the real
// charts.
#pragma once
#include "songs/charts.h"

#include <string>
#include <vector>

const int TUTORIAL_INDEX = TUTORIAL_SONG;

// One key event on a song frame: cmd is "down", "up" or "tap", key a script key name.
struct FrameKey {
    int frame;
    std::string cmd;
    std::string key;
    int shift_ms = 0; // added to the frame's time, for keys after a pause
};

// A command-line count: whole decimal digits, 0 to 100,000,000. False for anything else.
bool script_number(const char *text, int &out);

// Script text that skips the whole intro (five taps of A, one splash each).
std::string skip_intro();

// Script keys from start-up to the start of song `song` (0..4 through song selection,
// 99 through the play submenu's tutorial entry).
std::string keys_to_song(int song);

// A script that reaches `song` and then queues each key at frame0 + 50 x frame, so that it
// is taken by that frame's poll (keys on one frame queue up into the following frames).
// `frame0` is the virtual time of the song's frame 0, the same in every run with the
// prefix keys_to_song(song). The run ends at frame `last_frame` of the song, counted
// without pauses, plus `extra_ms`.
std::string song_script(int song, int frame0, std::vector<FrameKey> keys, int last_frame,
                        int extra_ms = 0);
// The same keys and end appended to `script`, whose song's frame 0 is at `frame0`; `clock`
// is the script clock at its end (the sum of its waits), moved on to the new end.
void append_song_keys(std::string &script, long &clock, int frame0, std::vector<FrameKey> keys,
                      int last_frame, int extra_ms = 0);

// First frame whose clock has reached `spawn_ms`: the frame in which the note spawns.
int spawn_frame(int spawn_ms);

// Rows of the chart of `song` ordered by spawn time (lane order within one time).
std::vector<ChartNote> notes_in_time(int song);
// The fixed keyboard key of lane 1..5: "a", "s", "d", "f", "g".
std::string lane_key(int lane);
// Frames of a note's hit window at 10 pixels a frame: spawn frame + 19 .. + 22.
const int WINDOW_FIRST = 19, WINDOW_LAST = 22;
// The frame in which a note leaves the screen: spawn frame + 23.
const int FALL_OFF = 23;

// The frames in which a note's key-down hits it: its hit window, from after the window of
// the lane's note before it (unless the two spawn in one frame and so are one picture).
struct NoteWindow {
    int first, last; // frames the key-down may take
    int lane;
    int spawn_frame;
};
std::vector<NoteWindow> note_windows(const std::vector<ChartNote> &notes);

// Taps that hit each of `notes` once and alone: a key-down on the first free frame of the
// note's window (after the window of the lane's note before it), its release on the next
// frame, so no press ever judges two lanes.
// Returns the number of notes for which no such frame was left in the window.
int tap_each_note(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys);

// Presses that hit every one of `notes`: each note gets a key-down of its lane inside its
// hit window, after the lane's note before it has left the target (two notes of a lane that
// spawn together get two presses in their window), in a frame of its own.
// Notes are placed by the end of their window, earliest first. A press goes alone where a
// free pair of frames is left (key-down, release on the next frame); where none is, it
// joins an earlier press as a chord, its key-down taking the place of that press's release,
// which moves one frame on (the held lanes are judged again, and two lanes get the two-lane
// adjustment). Returns the number of notes left without a press; `chords` counts the notes
// pressed in a chord.
int tap_every_note(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys, int &chords);

// Whole plays of `notes` (in time order), one key event per frame, each key-down in its
// note's window; notes spawning in one frame are a chord, whose keys go down in the order
// their windows open (lane order among equals). Each returns the number of notes whose
// key-down found no frame in the window.
//
// Chords pressed a frame apart and held: the chord's keys go down on successive frames and
// are then let go on successive frames (a lone note is a tap: down, then up).
int press_chords_held(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys);
// Rolled play: every key is let go a frame after the next key goes down; a key pressed
// again is let go first, and where a chord would not fit in its window that way the key
// held before it is let go before its first key.
int press_rolled(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys);
// `notes` less one note of every whole ten, the first of the ten whose lane has no other
// note near enough for a press to reach it; `left` counts the notes taken out.
std::vector<ChartNote> let_one_in_ten_fall(const std::vector<ChartNote> &notes, int &left);

// A script that plays song `song` with `keys` to its end and saves the results screen
// in the PNG file `shot`; the run stops while the results show.
std::string results_script(int song, int frame0, const std::vector<FrameKey> &keys,
                           const std::string &shot);
