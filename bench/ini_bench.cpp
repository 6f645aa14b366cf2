// Settings file benchmarks: parsing a generated 10,000-line file against inih on the same
// bytes (natively, where Debian's libinih is linked), and the whole access-layer round of
// the program's saves: open, change one key, close. Runs natively and under Wine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "ini/ini.h"
#include "ini/ini_document.h"

#ifdef KELVARO_BENCH_INIH
#include <ini.h>
#endif

namespace kelvaro::bench {
namespace {

constexpr int kLines = 10000;
constexpr int kLinesPerGroup = 50;  // a group line, a comment and 48 key lines

std::string GenerateFile() {
    std::string bytes;
    bytes.reserve(kLines * 40);
    for (int line = 0; line < kLines; ++line) {
        const int inGroup = line % kLinesPerGroup;
        const std::string number = std::to_string(line);
        if (inGroup == 0) {
            bytes += "[Gruppe " + number + "]\r\n";
        } else if (inGroup == 1) {
            bytes += "; Einstellungen der Gruppe " + number + "\r\n";
        } else {
            bytes += "Schluessel" + number + " = Wert " + number + " mit etwas Text\r\n";
        }
    }
    return bytes;
}

#ifdef KELVARO_BENCH_INIH
struct InihCount {
    size_t keys = 0;
    size_t bytes = 0;
};

// The least a caller of inih does: look at every value it is handed.
int CountKey(void* user, const char* section, const char* name, const char* value) {
    auto* count = static_cast<InihCount*>(user);
    ++count->keys;
    count->bytes += std::char_traits<char>::length(value);
    KeepAlive(section);
    KeepAlive(name);
    return 1;
}

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}
#endif

void BenchParse(const std::string& bytes) {
    constexpr int kRepetitions = 101;
    Report("settings file size", bytes.size() / 1e3, "kB");
    size_t entries = 0;
    const auto parse = [&] {
        const IniDocument document = IniDocument::Parse(bytes);
        entries = document.Entries().size();
        KeepAlive(document);
    };
#ifdef KELVARO_BENCH_INIH
    // The two parsers take turns, so a busy moment of the machine falls on both alike.
    InihCount count;
    const auto inih = [&] {
        count = {};
        ini_parse_string(bytes.c_str(), CountKey, &count);
    };
    std::vector<double> oursSeconds, inihSeconds;
    for (int i = 0; i < kRepetitions; ++i) {
        oursSeconds.push_back(SecondsOf(parse));
        inihSeconds.push_back(SecondsOf(inih));
    }
    const double ours = Median(oursSeconds);
    const double theirs = Median(inihSeconds);
    Report("IniDocument::Parse, 10,000 lines", ours * 1e3, "ms");
    Report("entries kept", static_cast<double>(entries), "");
    Report("inih ini_parse_string, same bytes (counting handler)", theirs * 1e3, "ms");
    Report("keys seen by inih", static_cast<double>(count.keys), "");
    Report("IniDocument::Parse as a multiple of inih", ours / theirs, "x");
#else
    Report("IniDocument::Parse, 10,000 lines", MedianSeconds(kRepetitions, parse) * 1e3, "ms");
    Report("entries kept", static_cast<double>(entries), "");
#endif
    const IniDocument document = IniDocument::Parse(bytes);
    const double write = MedianSeconds(kRepetitions, [&] { KeepAlive(document.Serialise()); });
    Report("IniDocument::Serialise, 10,000 lines", write * 1e3, "ms");
}

void BenchAccess(const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "kelvaro-bench-ini";
    fs::create_directories(dir);
    fs::current_path(dir);
    std::ofstream(kSettingsFileName, std::ios::binary) << bytes;

    constexpr int kRepetitions = 51;
    const double read = MedianSeconds(kRepetitions, [] {
        IniOpen(kSettingsFileName);
        IniSelectGroup("Gruppe 9950");
        KeepAlive(IniReadInt("Schluessel9999", 0));
        IniClose();
    });
    Report("IniOpen + IniReadInt + IniClose (nothing written)", read * 1e3, "ms");
    int value = 0;
    const double change = MedianSeconds(kRepetitions, [&] {
        IniOpen(kSettingsFileName);
        IniSelectGroup("Gruppe 5000");
        IniWriteInt("Schluessel5010", ++value);
        IniClose();
    });
    Report("IniOpen + IniWriteInt of one key + IniClose (written)", change * 1e3, "ms");

    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kelvaro::bench

int main() {
    const std::string bytes = kelvaro::bench::GenerateFile();
    kelvaro::bench::BenchParse(bytes);
    kelvaro::bench::BenchAccess(bytes);
    return 0;
}
