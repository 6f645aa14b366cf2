// Times the check of a published update manifest (read, SHA-256 of the signed part,
// ECDSA P-256 with the build's verifier): the first check of the process, which pays for
// loading the system's cryptography (under Wine: bcrypt and GnuTLS), and the median of
// further checks. Built natively and with MinGW for Wine.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_util.h"
#include "signing/manifest.h"
#include "signing/update_keys.h"
#include "unit/signing_vectors.h"

int main(int argc, char** argv) {
    using namespace kelvaro;
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 201;
    const signing::UpdateKeys keys =
        signing::ParseUpdateKeys(test::vectors::kTestKeys).value();
    const std::string manifest = test::vectors::kManifest16With25;
    signing::ManifestFault fault = signing::ManifestFault::None;
    const auto check = [&] {
        signing::Manifest read;
        fault = signing::CheckSignedManifest(manifest, keys, read);
        bench::KeepAlive(read);
    };
    const auto start = std::chrono::steady_clock::now();
    check();
    const double first =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (fault != signing::ManifestFault::None) {
        std::fprintf(stderr, "the published manifest was refused\n");
        return 1;
    }
    bench::Report("CheckSignedManifest, first in the process", first * 1e3, "ms");
    bench::Report("CheckSignedManifest, median of further checks",
                  bench::MedianSeconds(repetitions, check) * 1e3, "ms");
    const std::string signedPart = manifest.substr(0, manifest.find("signature "));
    bench::Report("  of which SHA-256 of the signed part",
                  bench::MedianSeconds(repetitions, [&] {
                      bench::KeepAlive(signing::Sha256Of(signedPart));
                  }) * 1e3,
                  "ms");
    return fault == signing::ManifestFault::None ? 0 : 1;
}
