// Writing the built-in songs as song folders.
#include "headless/songexport.h"

#include "engine/assets.h"
#include "engine/sound.h"
#include "headless/screenshot.h"
#include "songs/catalogue.h"

#include <SDL_image.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <vector>

namespace {

// "Album: Paranoid(1970)" -> "Paranoid" and "1970"; "Band: AC/DC" -> "AC/DC".
std::string after_label(const std::string &text) {
    size_t colon = text.find(": ");
    return colon == std::string::npos ? text : text.substr(colon + 2);
}
void split_year(const std::string &album, std::string &name, std::string &year) {
    name = after_label(album);
    year.clear();
    size_t open = name.rfind('(');
    if (open == std::string::npos || name.back() != ')') return;
    year = name.substr(open + 1, name.size() - open - 2);
    name = name.substr(0, open);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
}

bool write_text(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

bool copy_file(const std::string &from, const std::string &to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    out.close();
    return static_cast<bool>(out);
}

// The chart's notes by the time their sound lies in the recording, lanes rising in a chord.
std::string chart_text(const SongEntry &song, const std::string &title, const std::string &artist) {
    std::vector<std::pair<int, int>> notes; // time in the recording (ms = ticks), lane
    for (int i = 0; song.chart && i < song.chart->count; ++i) {
        const ChartNote &n = song.chart->notes[i];
        notes.emplace_back(chart_heard_ms(n.spawn) - OUTPUT_LATENCY_MS, n.lane);
    }
    // Two notes of a lane in one frame are one picture and one press: one note here.
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    std::string text = "[Song]\n{\n  Name = \"" + title + "\"\n  Artist = \"" + artist +
                       "\"\n  Charter = \"Fretfall\"\n  Offset = 0\n  Resolution = 480\n"
                       "  MusicStream = \"song.ogg\"\n}\n[SyncTrack]\n{\n  0 = TS 4\n"
                       "  0 = B 125000\n}\n[Events]\n{\n";
    text += "  " + std::to_string(song.end_ms - OUTPUT_LATENCY_MS) + " = E \"end\"\n}\n";
    text += "[ExpertSingle]\n{\n";
    for (const auto &n : notes)
        text += "  " + std::to_string(n.first) + " = N " + std::to_string(n.second - 1) + " 0\n";
    return text + "}\n";
}

} // namespace

bool export_builtin_songs(const std::string &out_dir, const std::string &game_dir,
                          std::string &error) {
    mkdir(out_dir.c_str(), 0755);
    for (int i = 0; i < song_count(); ++i) {
        const SongEntry *song = song_at(i);
        const BuiltinSong *facts = song ? builtin_song(song->index) : nullptr;
        if (!facts) continue;
        std::string dir = out_dir + "/" + facts->name;
        std::string title = song->tutorial ? "Tutorial" : song->title;
        std::string artist = song->tutorial ? "Fretfall" : after_label(song->band);
        std::string album, year;
        split_year(song->album, album, year);
        mkdir(dir.c_str(), 0755);
        std::string ini =
            "[song]\nname = " + title + "\nartist = " + artist + "\nalbum = " + album +
            "\nyear = " + year +
            "\ncharter = Fretfall\ngenre = Rock\nsong_length = " + std::to_string(song->end_ms) +
            "\ndelay = 0\n";
        if (!write_text(dir + "/song.ini", ini) ||
            !write_text(dir + "/notes.chart", chart_text(*song, title, artist))) {
            error = "cannot write " + dir;
            return false;
        }
        if (!copy_file(game_dir + "/" + song->music_path, dir + "/song.ogg")) {
            error = "cannot copy " + game_dir + "/" + song->music_path;
            return false;
        }
        const char *cover = song->cover ? image_path_of(song->cover) : nullptr;
        if (!cover) continue;
        SDL_Surface *image = IMG_Load((game_dir + "/" + cover).c_str());
        bool saved = image && save_png(image, (dir + "/album.png").c_str());
        if (image) SDL_FreeSurface(image);
        if (!saved) {
            error = "cannot write " + dir + "/album.png";
            return false;
        }
    }
    return true;
}
