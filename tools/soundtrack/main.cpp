// fretfall-soundtrack: writes the six song recordings (drums, bass and a lead voice that
// plays every chart note) and the sync calibration's click track as Ogg Vorbis into a game
// directory, the one argument. The recordings are rendered two at a time; the output is the same
// bytes on every run. Nothing is printed on success unless -v is given; a failure names the
// recording not written.
#include "clicks.h"
#include "render.h"
#include "songs.h"
#include "timing.h"
#include "vorbis_out.h"

#include "common/song_styles.h"
#include "game/sync.h"
#include "songs/charts.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

// Vorbis quality (-0.1 .. 1): at 22050 Hz mono 0.4 keeps all six recordings near 7 MB
// while the lead stays clean.
constexpr float kQuality = 0.4f;

// One recording to write: a built-in song's, or the click track when `song` is null.
struct Job {
    const BuiltinSong *song;
    const char *path;
    std::string error;
    double seconds = 0.0;
    long bytes = 0;
};

// The samples of a built-in song's recording, with its title and a stream serial fixed
// by the song, so that every run writes the same bytes.
bool render_song(const BuiltinSong &entry, std::vector<float> &samples, const char *&title,
                 int &serial, std::string &error) {
    const int song = entry.index;
    const Chart *chart = builtin_chart(song);
    const SongStyle *style = song_style_for(song);
    if (!chart || !style) {
        error = "no chart or style for song " + std::to_string(song);
        return false;
    }
    const soundtrack::SongSound sound = soundtrack::sound_for_style(*style);
    samples = soundtrack::render_song(sound, soundtrack::lead_notes(*chart));
    title = style->name();
    serial = 0x46524600 + song;
    return true;
}

void make_recording(const std::string &game_dir, Job &job) {
    const auto started = std::chrono::steady_clock::now();
    std::vector<float> samples;
    const char *title = "Sync clicks";
    int serial = 0x465246ff;
    if (!job.song)
        samples = soundtrack::render_clicks();
    else if (!render_song(*job.song, samples, title, serial, job.error))
        return;

    const std::filesystem::path path = std::filesystem::path(game_dir) / job.path;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        job.error = "cannot create " + path.parent_path().string();
        return;
    }
    if (!soundtrack::write_ogg_vorbis(path.string(), samples, soundtrack::kSampleRate, kQuality,
                                      serial, title, job.error))
        return;
    job.bytes = static_cast<long>(std::filesystem::file_size(path, ec));
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

} // namespace

int main(int argc, char **argv) {
    bool verbose = false;
    std::vector<const char *> dirs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else
            dirs.push_back(argv[i]);
    }
    if (dirs.size() != 1) {
        std::fprintf(stderr, "usage: %s [-v] GAME_DIR\n", argv[0]);
        return 2;
    }
    const std::string game_dir = dirs[0];

    // Longest songs first, so that the two threads finish at about the same time.
    std::vector<Job> jobs;
    for (const BuiltinSong &song : builtin_songs)
        jobs.push_back({&song, song.music_path, {}, 0.0, 0});
    std::stable_sort(jobs.begin(), jobs.end(),
                     [](const Job &a, const Job &b) { return a.song->end_ms > b.song->end_ms; });
    jobs.push_back({nullptr, SYNC_CLICKS_PATH, {}, 0.0, 0}); // the shortest

    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++)
            make_recording(game_dir, jobs[i]);
    };
    const unsigned threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread &t : pool)
        t.join();

    int status = 0;
    long total = 0;
    for (const Job &job : jobs) {
        if (!job.error.empty()) {
            std::fprintf(stderr, "fretfall-soundtrack: %s: %s\n", job.path, job.error.c_str());
            status = 1;
            continue;
        }
        total += job.bytes;
        if (verbose) std::printf("%-32s %8ld bytes  %5.1f s\n", job.path, job.bytes, job.seconds);
    }
    if (verbose && status == 0) std::printf("total %ld bytes\n", total);
    return status;
}
