// The chart player of library songs: a cursor over the time-sorted notes and a ring of
// slots per lane.
#include "game/librarychart.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/lanes.h"
#include "game/notes.h"
#include "game/score.h"
#include "game/song.h"
#include "songs/charts.h"
#include "songs/librarysong.h"
#include "store/settings.h"

#include <algorithm>

namespace {

const int MOST_SLOTS = *std::max_element(LANE_SLOTS, LANE_SLOTS + LANE_COUNT);
// The frame period the notes' speed is counted in: BPS pixels every 50 ms.
const int FRAME_MS = 50;
// A note spawned late (its audio time lies in the first second) starts lower, as far as it
// would have fallen, but never below this, so it can still be hit.
const int LATE_START_Y_MAX = 200;
// Where a note's middle is when it is in the middle of its hit window (y 210 to 220).
const int HIT_LINE_Y = 215;
const int NOTE_W = 31, NOTE_H = 23;

enum Hold { HOLD_NONE, HOLD_ON, HOLD_DONE };

struct SlotUse {
    int note = -1; // index into the notes, -1 while the slot is free
    int pos = 0;   // how far the note has fallen: y without the park at the bottom
    int tail = 0;  // the sustain's length in pixels
    Hold hold = HOLD_NONE;
};

const std::vector<SongNote> *chart_notes = nullptr;
std::vector<int> spawns;
size_t cursor;
int hits_retired;
SlotUse uses[LANE_COUNT][MOST_SLOTS];
int oldest[LANE_COUNT], next_slot[LANE_COUNT], in_use[LANE_COUNT];

Uint32 tail_colour(int lane) {
    static const Uint8 rgb[LANE_COUNT][3] = {
        {40, 200, 60}, {220, 40, 40}, {240, 220, 40}, {40, 110, 230}, {240, 140, 30}};
    const Uint8 *c = rgb[lane - 1];
    return SDL_MapRGB(screen->format, c[0], c[1], c[2]);
}

// The slot given back: a hit note counts, and its rectangle goes back to the top where it
// neither meets a target nor falls off.
void retire(const Lane &lane, int lane_index, int slot) {
    SlotUse &use = uses[lane_index][slot];
    if (use.note < 0) return;
    if (lane.marks[slot]) ++hits_retired;
    lane.marks[slot] = false;
    lane.slots[slot].y = 0;
    use.note = -1;
    --in_use[lane_index];
}

void spawn(int note) {
    const SongNote &n = (*chart_notes)[static_cast<size_t>(note)];
    const Lane *lane = lane_at(n.lane);
    if (!lane) return;
    int l = n.lane - 1, slot = next_slot[l];
    // A full ring gives up its oldest note, however long its sustain.
    if (uses[l][slot].note >= 0) {
        retire(*lane, l, slot);
        oldest[l] = (slot + 1) % lane->count;
    }
    if (in_use[l] == 0) oldest[l] = slot;
    next_slot[l] = (slot + 1) % lane->count;
    ++in_use[l];
    int late_frames = (msec - spawns[static_cast<size_t>(note)] - sync_delay_ms) / FRAME_MS;
    SlotUse &use = uses[l][slot];
    use.note = note;
    use.pos = std::min(late_frames * BPS, LATE_START_Y_MAX);
    use.tail = static_cast<int>(static_cast<long long>(n.length_ms) * 10 / FRAME_MS);
    use.hold = n.length_ms > 0 ? HOLD_NONE : HOLD_DONE;
    lane->marks[slot] = false;
    lane->slots[slot].y = static_cast<Sint16>(use.pos);
}

// The sustain's points for this frame: held since the note was hit, until the tail's end
// passes the hit line or the button is let go.
void hold_step(const Lane &lane, int slot, SlotUse &use) {
    if (use.hold == HOLD_DONE) return;
    bool held = *lane.pressed != 0;
    if (use.hold == HOLD_NONE && held && lane.marks[slot]) use.hold = HOLD_ON;
    if (use.hold != HOLD_ON) return;
    if (!held || use.pos - use.tail >= HIT_LINE_Y) {
        use.hold = HOLD_DONE;
        return;
    }
    score_sustain_frame(SUSTAIN_POINTS);
}

void draw_tail(const Lane &lane, int lane_index, const SlotUse &use) {
    if (use.tail <= 0) return;
    int top = std::max(use.pos - use.tail + NOTE_H / 2, 0);
    int bottom = std::min(use.pos + NOTE_H / 2, NOTE_FALLOFF_Y);
    // A held sustain is played up to the hit line: no tail below it.
    if (use.hold == HOLD_ON) bottom = std::min(bottom, HIT_LINE_Y + NOTE_H / 2);
    if (bottom <= top) return;
    SDL_Rect r = {static_cast<Sint16>(lane.x + (NOTE_W - SUSTAIN_WIDTH) / 2),
                  static_cast<Sint16>(top), SUSTAIN_WIDTH, static_cast<Uint16>(bottom - top)};
    SDL_FillRect(screen, &r, tail_colour(lane_index + 1));
}

} // namespace

int library_spawn_ms(int heard_ms) { return heard_ms - CHART_LEAD_MS - FRAME_MS / 2; }

void library_chart_start(const std::vector<SongNote> &notes) {
    chart_notes = &notes;
    spawns.resize(notes.size());
    for (size_t i = 0; i < notes.size(); ++i)
        spawns[i] = library_spawn_ms(library_heard_ms(notes[i].time_ms));
    cursor = 0;
    hits_retired = 0;
    for (int l = 0; l < LANE_COUNT; ++l) {
        oldest[l] = next_slot[l] = in_use[l] = 0;
        for (SlotUse &use : uses[l])
            use = SlotUse{};
    }
}

void play_library_chart() {
    if (!chart_notes) return;
    // The sync delay moves every note later against the music, as for the built-in charts.
    while (cursor < spawns.size() && msec >= spawns[cursor] + sync_delay_ms)
        spawn(static_cast<int>(cursor++));
    for (int l = 0; l < LANE_COUNT; ++l) {
        const Lane &lane = lane_table[l];
        // The slots in use run from the oldest to the next one handed out.
        for (int k = 0, slot = oldest[l]; k < lane.count && in_use[l] > 0; ++k) {
            if (slot == next_slot[l] && k > 0) break;
            SlotUse &use = uses[l][slot];
            if (use.note >= 0) {
                // Its fall-off frame is past once it has fallen to the bottom.
                if (use.pos >= NOTE_FALLOFF_Y && use.pos - use.tail >= NOTE_FALLOFF_Y) {
                    retire(lane, l, slot);
                } else {
                    hold_step(lane, slot, use);
                    draw_tail(lane, l, use);
                    SDL_Rect &rect = lane.slots[slot];
                    blit(my_surfNotas, lane.note_frame, screen, &rect);
                    rect.y = static_cast<Sint16>(rect.y + BPS);
                    use.pos += BPS;
                }
            }
            if (use.note < 0 && slot == oldest[l] && in_use[l] > 0)
                oldest[l] = (slot + 1) % lane.count;
            slot = (slot + 1) % lane.count;
        }
    }
}

int library_notes_hit() {
    int hit = hits_retired;
    for (int l = 0; l < LANE_COUNT; ++l)
        for (int i = 0; i < lane_table[l].count; ++i)
            if (uses[l][i].note >= 0 && lane_table[l].marks[i]) ++hit;
    return hit;
}

int library_notes_total() { return chart_notes ? static_cast<int>(chart_notes->size()) : 0; }
