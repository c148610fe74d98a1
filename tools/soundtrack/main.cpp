// fretfall-soundtrack: writes the six song recordings (drums, bass and a lead voice that
// plays every chart note) as Ogg Vorbis into a game directory, the one argument. The
// songs are rendered two at a time; the output is the same bytes on every run. Nothing is
// printed on success unless -v is given; a failure names the recording not written.
#include "render.h"
#include "songs.h"
#include "timing.h"
#include "vorbis_out.h"

#include "common/song_styles.h"
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

struct Job {
    const BuiltinSong *song;
    std::string error;
    double seconds = 0.0;
    long bytes = 0;
};

void make_recording(const std::string &game_dir, Job &job) {
    const auto started = std::chrono::steady_clock::now();
    const int song = job.song->index;
    const Chart *chart = builtin_chart(song);
    const SongStyle *style = song_style_for(song);
    if (!chart || !style) {
        job.error = "no chart or style for song " + std::to_string(song);
        return;
    }
    const soundtrack::SongSound sound = soundtrack::sound_for_style(*style);
    const std::vector<float> samples =
        soundtrack::render_song(sound, soundtrack::lead_notes(*chart));

    const std::filesystem::path path = std::filesystem::path(game_dir) / job.song->music_path;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        job.error = "cannot create " + path.parent_path().string();
        return;
    }
    const int serial = 0x46524600 + song; // fixed, so every run writes the same bytes
    if (!soundtrack::write_ogg_vorbis(path.string(), samples, soundtrack::kSampleRate, kQuality,
                                      serial, style->name(), job.error))
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
        jobs.push_back({&song, {}, 0.0, 0});
    std::stable_sort(jobs.begin(), jobs.end(),
                     [](const Job &a, const Job &b) { return a.song->end_ms > b.song->end_ms; });

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
            std::fprintf(stderr, "fretfall-soundtrack: %s: %s\n", job.song->music_path,
                         job.error.c_str());
            status = 1;
            continue;
        }
        total += job.bytes;
        if (verbose)
            std::printf("%-32s %8ld bytes  %5.1f s\n", job.song->music_path, job.bytes,
                        job.seconds);
    }
    if (verbose && status == 0) std::printf("total %ld bytes\n", total);
    return status;
}
