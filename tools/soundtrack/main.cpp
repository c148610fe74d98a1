// fretfall-soundtrack: writes the six song recordings (drums, bass and a lead voice that
// plays every chart note) and the sync calibration's click track as Ogg Vorbis into a game
// directory, the one argument. The
// songs are rendered two at a time; the output is the same bytes on every run. Nothing is
// printed on success unless -v is given; a failure names the recording not written.
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

struct Job {
    const soundtrack::Recording *recording;
    std::string error;
    double seconds = 0.0;
    long bytes = 0;
};

// Writes `samples` to the job's path under `game_dir`, with a stream serial fixed by `id`
// so that every run writes the same bytes.
void write_recording(const std::string &game_dir, Job &job, const std::vector<float> &samples,
                     int id, const char *title, std::chrono::steady_clock::time_point started) {
    const std::filesystem::path path = std::filesystem::path(game_dir) / job.recording->path;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        job.error = "cannot create " + path.parent_path().string();
        return;
    }
    if (!soundtrack::write_ogg_vorbis(path.string(), samples, soundtrack::kSampleRate, kQuality,
                                      0x46524600 + id, title, job.error))
        return;
    job.bytes = static_cast<long>(std::filesystem::file_size(path, ec));
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// The click track, made like a recording of its own.
const soundtrack::Recording kClickTrack = {-1, SYNC_CLICKS_PATH};

void make_recording(const std::string &game_dir, Job &job) {
    if (job.recording == &kClickTrack) {
        write_recording(game_dir, job, soundtrack::render_clicks(), 0xff, "Sync clicks",
                        std::chrono::steady_clock::now());
        return;
    }
    const auto started = std::chrono::steady_clock::now();
    const int song = job.recording->song;
    const Chart *chart = chart_for_song(song);
    const SongStyle *style = song_style_for(song);
    if (!chart || !style) {
        job.error = "no chart or style for song " + std::to_string(song);
        return;
    }
    const soundtrack::SongSound sound = soundtrack::sound_for_style(*style);
    const std::vector<float> samples =
        soundtrack::render_song(sound, soundtrack::lead_notes(*chart));

    write_recording(game_dir, job, samples, song, style->name, started);
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
    for (const soundtrack::Recording &r : soundtrack::kRecordings)
        jobs.push_back({&r, {}, 0.0, 0});
    jobs.push_back({&kClickTrack, {}, 0.0, 0});
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job &a, const Job &b) {
        const SongStyle *sa = song_style_for(a.recording->song),
                        *sb = song_style_for(b.recording->song);
        return (sa ? sa->end_ms : 0) > (sb ? sb->end_ms : 0);
    });

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
            std::fprintf(stderr, "fretfall-soundtrack: %s: %s\n", job.recording->path,
                         job.error.c_str());
            status = 1;
            continue;
        }
        total += job.bytes;
        if (verbose)
            std::printf("%-32s %8ld bytes  %5.1f s\n", job.recording->path, job.bytes, job.seconds);
    }
    if (verbose && status == 0) std::printf("total %ld bytes\n", total);
    return status;
}
