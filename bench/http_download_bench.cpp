// Times DownloadToFile of one URL into one file: prints the seconds and megabytes per
// second of each run and the median. Runs natively and, built with MinGW, under Wine;
// bench/http_download_bench.sh serves the file with nginx and compares with curl. Given
// the original file too, the download is held to its size and SHA-256, as the update
// check holds the definitions (the expectation is made before the clock starts).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "bench/bench_util.h"
#include "netupdate/netupdate.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: http_download_bench URL TARGET [REPETITIONS [EXPECTED_FILE]]\n");
        return 2;
    }
    const char* url = argv[1];
    const char* target = argv[2];
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    std::optional<kelvaro::DownloadExpectation> expected;
    if (argc > 4) {
        std::ifstream in(argv[4], std::ios::binary);
        const std::string original((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        expected = kelvaro::DownloadExpectation{static_cast<int32_t>(original.size()),
                                                kelvaro::signing::Sha256Of(original).value()};
    }
    if (!kelvaro::StartNetwork()) {
        std::fprintf(stderr, "the socket layer did not start\n");
        return 1;
    }
    int32_t bytes = 0;
    const double median = kelvaro::bench::MedianSeconds(repetitions, [&] {
        bytes = kelvaro::DownloadToFile(url, target, expected ? &*expected : nullptr);
        kelvaro::bench::KeepAlive(bytes);
    });
    kelvaro::StopNetwork();
    if (bytes <= 0) {
        std::fprintf(stderr, "the download failed\n");
        return 1;
    }
    std::printf("bytes %d seconds %.4f mb_per_s %.1f\n", bytes, median, bytes / median / 1e6);
    return 0;
}
