// Every fixed text of the game reads word by word: word gaps wide, no two letters touching.
#include "engine/assets.h"
#include "harness.h"
#include "menus/songselect.h"
#include "songs/catalogue.h"

#include <gtest/gtest.h>

#include <SDL_ttf.h>
#include <string>
#include <vector>

namespace {

// The ink of a rendered line, one flag per pixel.
struct Ink {
    int w = 0, h = 0;
    std::vector<bool> px;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && px[y * w + x]; }
};

Ink render(TTF_Font *font, const std::string &text) {
    Ink ink;
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface *s = TTF_RenderText_Solid(font, text.c_str(), white);
    if (!s) return ink;
    ink.w = s->w;
    ink.h = s->h;
    ink.px.assign(static_cast<size_t>(s->w) * s->h, false);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            ink.px[y * s->w + x] = static_cast<const Uint8 *>(s->pixels)[y * s->pitch + x] != 0;
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return ink;
}

// The leftmost column of every piece of ink (pixels joined side by side or corner to
// corner).
std::vector<int> pieces(const Ink &ink) {
    std::vector<int> left;
    std::vector<bool> seen(ink.px.size(), false);
    for (int y0 = 0; y0 < ink.h; ++y0)
        for (int x0 = 0; x0 < ink.w; ++x0) {
            if (!ink.at(x0, y0) || seen[y0 * ink.w + x0]) continue;
            int leftmost = x0;
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            seen[y0 * ink.w + x0] = true;
            while (!todo.empty()) {
                auto [x, y] = todo.back();
                todo.pop_back();
                leftmost = std::min(leftmost, x);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (ink.at(x + dx, y + dy) && !seen[(y + dy) * ink.w + x + dx]) {
                            seen[(y + dy) * ink.w + x + dx] = true;
                            todo.push_back({x + dx, y + dy});
                        }
            }
            left.push_back(leftmost);
        }
    return left;
}

// What is wrong with the line `text`, or "" when it reads cleanly. A column scan finds the
// runs of empty columns inside the ink; a run holding the middle of a space's advance is a
// word gap, the others are gaps between letters. A word has touching letters when its ink
// falls into fewer pieces than its letters have when rendered one by one.
std::string fault(TTF_Font *font, const std::string &text) {
    Ink ink = render(font, text);
    std::vector<bool> column(ink.w, false);
    for (int y = 0; y < ink.h; ++y)
        for (int x = 0; x < ink.w; ++x)
            if (ink.at(x, y)) column[x] = true;
    std::vector<int> space_middles;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ' ') {
            int before = 0, after = 0;
            TTF_SizeText(font, text.substr(0, i).c_str(), &before, nullptr);
            TTF_SizeText(font, text.substr(0, i + 1).c_str(), &after, nullptr);
            space_middles.push_back((before + after) / 2);
        }
    int first = 0, last = ink.w - 1;
    while (first < ink.w && !column[first])
        ++first;
    while (last >= 0 && !column[last])
        --last;
    int narrowest_word_gap = 1 << 20, widest_letter_gap = 0;
    std::vector<int> word_ends; // the first empty column after each word but the last
    for (int x = first; x <= last;) {
        if (column[x]) {
            ++x;
            continue;
        }
        int start = x;
        while (!column[x])
            ++x;
        bool word_gap = false;
        for (int middle : space_middles)
            word_gap = word_gap || (middle >= start - 1 && middle <= x);
        if (word_gap) {
            narrowest_word_gap = std::min(narrowest_word_gap, x - start);
            word_ends.push_back(start);
        } else {
            widest_letter_gap = std::max(widest_letter_gap, x - start);
        }
    }
    std::vector<size_t> alone(word_ends.size() + 1, 0), together(word_ends.size() + 1, 0);
    size_t word = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') {
            if (i > 0 && text[i - 1] != ' ') ++word;
            continue;
        }
        if (word < alone.size())
            alone[word] += pieces(render(font, std::string(1, text[i]))).size();
    }
    for (int x : pieces(ink)) {
        size_t w = 0;
        while (w < word_ends.size() && x >= word_ends[w])
            ++w;
        ++together[w];
    }
    std::string faults;
    if (!word_ends.empty() && (narrowest_word_gap < 3 || narrowest_word_gap <= widest_letter_gap))
        faults += "word gap " + std::to_string(narrowest_word_gap) + " px, letter gap " +
                  std::to_string(widest_letter_gap) + " px; ";
    for (size_t w = 0; w < alone.size(); ++w)
        if (together[w] < alone[w])
            faults += "letters touch in word " + std::to_string(w + 1) + "; ";
    return faults;
}

TEST(TextGaps, EveryFixedTextReadsWordByWordAtItsSize) {
    ASSERT_TRUE(TTF_WasInit() || TTF_Init() == 0);
    TTF_Font *small = open_game_font((game_dir() + "/ariblk.ttf").c_str(), 10);
    TTF_Font *title = open_game_font((game_dir() + "/ariblk.ttf").c_str(), 18);
    ASSERT_TRUE(small && title);

    std::vector<std::string> small_texts = {"Press B back to MENU",
                                            "Press A play or B back to MENU",
                                            "Press SELECT to EXIT or START to RESUME",
                                            "NEW GUITAR UNLOCK IN GALERY!",
                                            "ACCURACY: 100 percents",
                                            "LONGEST NOTE STREAK: 1234",
                                            "Timer: 01:23",
                                            "GOOD",
                                            "MISS",
                                            "Song",
                                            "Wins: 12",
                                            "Loses: 30",
                                            "Model",
                                            "Status: Unlocked",
                                            "Status: locked",
                                            "Win 5 times to Unlock",
                                            "Win 20 times to Unlock",
                                            "NAME                              SCORE",
                                            "<        THE NUMBER OF THE BEAST        >",
                                            "<        FOR WHOM THE BELLS TOOLS        >",
                                            "GAME SAVED",
                                            "SAVE FAILED",
                                            "GAME LOADED",
                                            "NO SAVED GAME",
                                            "GAME CLEARED",
                                            "CLEAR FAILED",
                                            "Press A for SYNC",
                                            "A: START THE CLICKS",
                                            "PRESS A ON EVERY CLICK: 16",
                                            "MEASURED -100 MS. A: KEEP IT, B: DO NOT",
                                            "KEPT. A: START THE CLICKS",
                                            "KEPT FOR THIS RUN: IT COULD NOT BE SAVED",
                                            "STOPPED. A: START THE CLICKS",
                                            "TOO FEW PRESSES: THE DELAY STAYS"};
    for (int fret = 1; fret <= 5; ++fret) {
        small_texts.push_back("PRESS BUTTONS TO FRET " + std::to_string(fret));
        small_texts.push_back("PRESS BUTTONS TO ALTERNATIVE FRET " + std::to_string(fret));
    }
    std::vector<std::string> title_texts = {"STRATOCAST",      "EXPLORER",      "FLYING V",
                                            "LES PAUL",        "UNKNOWN",       "VOLUME: 100",
                                            "SCORE NOT SAVED", "DELAY: -100 MS"};
    for (int i = 0; i < song_count(); ++i) {
        const SongEntry *entry = song_at(i);
        if (entry->tutorial) continue;
        small_texts.push_back(entry->album);
        small_texts.push_back(entry->band);
        title_texts.push_back(entry->title);
        int width = 0;
        TTF_SizeText(title, entry->title, &width, nullptr);
        EXPECT_LE(dst_song_txt2.x + width, 320)
            << entry->title << " is cut off on the song selection";
    }
    for (const std::string &text : small_texts)
        EXPECT_EQ(fault(small, text), "") << text << " at 10 points";
    for (const std::string &text : title_texts)
        EXPECT_EQ(fault(title, text), "") << text << " at 18 points";
    TTF_CloseFont(small);
    TTF_CloseFont(title);
}

} // namespace
