// Definitions and snapshot-walk benchmarks: LoadDefinitions of 100,000 definitions against
// a plain read of the same file, FindDefinition look-ups, and OnProcessFound for 1,000
// processes with a 100-name kill list. Runs natively and, built with MinGW, under Wine.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "common/ansi_text.h"
#include "common/file_io.h"
#include "inventory/definitions.h"
#include "inventory/process_list.h"

namespace kelvaro::bench {
namespace {

constexpr int kDefinitions = 100000;

std::string GenerateDefinitions() {
    std::string bytes;
    bytes.reserve(kDefinitions * 110);
    for (int i = 0; i < kDefinitions; ++i) {
        bytes += std::to_string(i % 5);
        bytes += "\r\nProzess" + std::to_string(i) + ".exe\r\n";
        bytes += "Ein Dienst des Systems, der im Hintergrund l\xE4uft.\xB5";
        bytes += "Nicht beenden.\xB5\r\n";
    }
    return bytes;
}

void BenchLoad(const std::string& bytes) {
    const double megabytes = bytes.size() / 1e6;
    const double plainRead = MedianSeconds(7, [] {
        std::string contents;
        ReadWholeFile(kDefinitionsFileName, contents);
        KeepAlive(contents);
    });
    const double load = MedianSeconds(
        7, [] { LoadDefinitions(); }, [] { ClearDefinitions(); });
    Report("definitions file size", megabytes, "MB");
    Report("LoadDefinitions (100,000 definitions)", load * 1000, "ms");
    Report("LoadDefinitions throughput", megabytes / load, "MB/s");
    Report("plain read of the same file", plainRead * 1000, "ms");
    Report("LoadDefinitions as a multiple of the plain read", load / plainRead, "x");
}

void BenchFind() {
    std::vector<std::string> keys;
    for (int i = 0; i < 1000; ++i)
        keys.push_back(UpperAnsi("Prozess" + std::to_string(i * 97) + ".exe"));
    for (int i = 0; i < 1000; ++i) keys.push_back("FEHLT" + std::to_string(i) + ".EXE");
    constexpr int kRounds = 500;
    const double seconds = MedianSeconds(5, [&] {
        size_t hits = 0;
        for (int round = 0; round < kRounds; ++round) {
            for (const std::string& key : keys) hits += FindDefinition(key) != nullptr;
        }
        KeepAlive(hits);
    });
    Report("FindDefinition (half hits, half misses)", keys.size() * kRounds / seconds / 1e6,
           "million/s");
}

void BenchWalk() {
    KillList killList;
    for (int i = 0; i < 100; ++i) killList.push_back({"killme" + std::to_string(i) + ".exe"});
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) names.push_back("Prozess" + std::to_string(i * 13) + ".exe");
    const SnapshotServices services{[](uint32_t) { return true; }, [] { return true; }, [] {}, 0};
    ProcessList processes;
    const double seconds = MedianSeconds(21, [&] {
        processes.Clear();
        SnapshotWalk walk(processes, killList, ProgramDefinitions(), services);
        uint32_t pid = 100;
        for (const std::string& name : names) walk.OnProcessFound({pid++, 12, 8, name});
    });
    Report("OnProcessFound, 1,000 processes, 100 kill names", seconds * 1000, "ms");
}

}  // namespace
}  // namespace kelvaro::bench

int main() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "kelvaro-bench-definitions";
    fs::create_directories(dir);
    fs::current_path(dir);
    const std::string bytes = kelvaro::bench::GenerateDefinitions();
    std::ofstream(kelvaro::kDefinitionsFileName, std::ios::binary) << bytes;

    kelvaro::bench::BenchLoad(bytes);
    kelvaro::bench::BenchFind();
    kelvaro::bench::BenchWalk();

    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
    return 0;
}
