// The menu flows kept as scripts beside the trace lines they must produce (flows/).

// Each NAME.script runs through the headless driver in a fresh game directory; its trace, less
// each line that repeats the one before it in all but the time, must equal NAME.expected.
// FRETFALL_UPDATE_FLOWS=1 writes the .expected files from the runs instead.
#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The trace lines that change something: every line starts with its time, "t".
std::string changes(const std::string &trace) {
    std::istringstream in(trace);
    std::string out, previous;
    for (std::string line; std::getline(in, line);) {
        std::string rest = line.substr(std::min(line.find(','), line.size()));
        if (rest != previous) out += line + "\n";
        previous = rest;
    }
    return out;
}

std::vector<std::string> flow_names() {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(FRETFALL_FLOWS_DIR))
        if (entry.path().extension() == ".script") names.push_back(entry.path().stem());
    std::sort(names.begin(), names.end());
    return names;
}

class Flow : public ::testing::TestWithParam<std::string> {};

TEST_P(Flow, TraceShowsTheExpectedChanges) {
    const std::string stem = std::string(FRETFALL_FLOWS_DIR) + "/" + GetParam();
    GameDir dir;
    ReplayRun run = run_script(dir, read_file(stem + ".script"));
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string seen = changes(run.trace);
    if (std::getenv("FRETFALL_UPDATE_FLOWS")) std::ofstream(stem + ".expected") << seen;
    EXPECT_EQ(seen, read_file(stem + ".expected"));
}

INSTANTIATE_TEST_SUITE_P(Flows, Flow, ::testing::ValuesIn(flow_names()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             return info.param;
                         });

} // namespace
