// Note slots and chart playback.
#include "game/notes.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/lanes.h"
#include "game/song.h"
#include "store/settings.h"

SDL_Rect dst_Nota1[NOTA1_SLOTS], dst_Nota2[NOTA2_SLOTS], dst_Nota3[NOTA3_SLOTS],
    dst_Nota4[NOTA4_SLOTS], dst_Nota5[NOTA5_SLOTS];
bool hit_Nota1[NOTA1_SLOTS], hit_Nota2[NOTA2_SLOTS], hit_Nota3[NOTA3_SLOTS], hit_Nota4[NOTA4_SLOTS],
    hit_Nota5[NOTA5_SLOTS];

SDL_Rect src_Nota1 = {NOTE_FRAME_X[0], 0, 31, 23};
SDL_Rect src_Nota2 = {NOTE_FRAME_X[1], 0, 31, 23};
SDL_Rect src_Nota3 = {NOTE_FRAME_X[2], 0, 31, 23};
SDL_Rect src_Nota4 = {NOTE_FRAME_X[3], 0, 31, 23};
SDL_Rect src_Nota5 = {NOTE_FRAME_X[4], 0, 31, 23};

namespace {

// Every slot starts in its lane's column; nothing writes x afterwards (a note never
// reaches the left edge, so the blit never moves it).
bool place_slots() {
    for (const Lane &lane : lane_table)
        for (int i = 0; i < lane.count; ++i)
            lane.slots[i] = {static_cast<Sint16>(lane.x), 0, 0, 0};
    return true;
}
[[maybe_unused]] const bool slots_placed = place_slots();

} // namespace

void parar_notas() {
    for (const Lane &lane : lane_table)
        for (int i = 0; i < lane.count; ++i)
            if (lane.slots[i].y == NOTE_FALLOFF_Y + 10) lane.slots[i].y = NOTE_FALLOFF_Y;
}

void zerar_notas() {
    for (const Lane &lane : lane_table)
        for (int i = 0; i < lane.count; ++i) {
            lane.slots[i].y = 0;
            lane.marks[i] = false;
        }
}

void play_chart(const Chart &chart) {
    if (!chart.notes) return;
    for (int n = 0; n < chart.count; ++n) {
        const ChartNote &note = chart.notes[n];
        const Lane *lane = lane_at(note.lane);
        if (!lane || note.slot < 0 || note.slot >= lane->count) continue;
        // The sync delay moves every note later against the music by as much as the
        // player hears the music late.
        if (msec < note.spawn + sync_delay_ms) continue;
        SDL_Rect &slot = lane->slots[note.slot];
        blit(my_surfNotas, lane->note_frame, screen, &slot);
        // The move wraps in 16 bits, as an SDL_Rect coordinate does.
        slot.y = static_cast<Sint16>(
            static_cast<Uint16>(static_cast<Uint16>(slot.y) + static_cast<Uint16>(BPS)));
    }
}

int notes_hit(const Chart &chart) {
    int hit = 0;
    for (int n = 0; chart.notes && n < chart.count; ++n) {
        const ChartNote &note = chart.notes[n];
        const Lane *lane = lane_at(note.lane);
        if (lane && note.slot >= 0 && note.slot < lane->count && lane->marks[note.slot]) ++hit;
    }
    return hit;
}

void paranoid() { play_chart(chart_paranoid); }
void highwaytohell() { play_chart(chart_highwaytohell); }
void aceofspades() { play_chart(chart_aceofspades); }
void runtothehills() { play_chart(chart_runtothehills); }
void forwhomthebellstolls() { play_chart(chart_forwhomthebellstolls); }
void tutorial() { play_chart(chart_tutorial); }
