// The update manifest: its fields, everything that is refused before the signature is
// looked at, and the signature check with the keys of a build. The manifests were written
// by the publisher's tool with the test keys (signing_vectors.h).
#include "signing/manifest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/signing_vectors.h"

namespace kelvaro::signing {
namespace {

namespace vectors = test::vectors;

const std::string kGood = vectors::kManifest16With25;

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The good manifest with line `index` (0-based) replaced.
std::string WithLine(size_t index, const std::string& line) {
    std::vector<std::string> lines = Lines(kGood);
    lines[index] = line;
    return Join(lines);
}

ManifestFault Parse(const std::string& bytes) {
    Manifest manifest;
    return ParseManifest(bytes, manifest);
}

UpdateKeys Keys(const std::string& list) {
    return ParseUpdateKeys(list).value();
}

ManifestFault Check(const std::string& bytes, const UpdateKeys& keys) {
    Manifest manifest;
    return CheckSignedManifest(bytes, keys, manifest);
}

ManifestFault Check(const std::string& bytes) {
    return Check(bytes, Keys(vectors::kTestKeys));
}

std::string IdOf(const char* keyList) {
    const std::string entry = keyList;
    return entry.substr(0, entry.find(':'));
}

TEST(ManifestReading, ReadsEveryFieldOfAPublishedManifest) {
    Manifest manifest;
    ASSERT_EQ(ParseManifest(kGood, manifest), ManifestFault::None);
    EXPECT_EQ(manifest.keyId, IdOf(vectors::kTestKeys));
    EXPECT_EQ(manifest.version, "1.6");
    EXPECT_EQ(manifest.definitions, 25);
    ASSERT_EQ(manifest.files.size(), 2u);
    EXPECT_EQ(manifest.files[0].name, "Kelvaro(x64).exe");
    EXPECT_EQ(manifest.files[0].size, static_cast<int32_t>(std::string(vectors::kProgram).size()));
    EXPECT_EQ(manifest.files[0].sha256, Sha256Of(vectors::kProgram).value());
    EXPECT_EQ(manifest.files[1].name, "Kelvaro");
    EXPECT_EQ(manifest.files[1].size,
              static_cast<int32_t>(std::string(vectors::kDefinitions25).size()));
    EXPECT_EQ(manifest.files[1].sha256, Sha256Of(vectors::kDefinitions25).value());
    EXPECT_EQ(manifest.FindFile("Kelvaro"), &manifest.files[1]);
    EXPECT_EQ(manifest.FindFile("KELVARO"), nullptr);
    EXPECT_EQ(manifest.signedLength, kGood.find("signature "));
}

TEST(ManifestReading, RefusesMissingDoubledUnknownAndMisplacedLines) {
    const std::vector<std::string> lines = Lines(kGood);
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> missing = lines;
        missing.erase(missing.begin() + i);
        EXPECT_NE(Check(Join(missing)), ManifestFault::None) << "without line " << i + 1;
        std::vector<std::string> doubled = lines;
        doubled.insert(doubled.begin() + i, lines[i]);
        EXPECT_NE(Check(Join(doubled)), ManifestFault::None) << "line " << i + 1 << " twice";
        if (i + 1 < lines.size()) {
            std::vector<std::string> swapped = lines;
            std::swap(swapped[i], swapped[i + 1]);
            EXPECT_NE(Check(Join(swapped)), ManifestFault::None) << "lines " << i + 1 << " swapped";
        }
    }
    EXPECT_EQ(Parse(Join({lines[0], lines[1], lines[1], lines[2], lines[3], lines[4], lines[6]})),
              ManifestFault::Layout);
    EXPECT_EQ(Parse(Join({lines[0], lines[2], lines[1], lines[3], lines[4], lines[6]})),
              ManifestFault::Layout);
    EXPECT_EQ(
        Parse(Join({lines[0], lines[1], lines[2], lines[3], "kommentar x", lines[4], lines[6]})),
        ManifestFault::Layout);
    EXPECT_EQ(Parse(Join({lines[0], lines[1], lines[2], lines[3], lines[6]})),
              ManifestFault::Layout);
    EXPECT_EQ(Parse(kGood + lines[4] + "\r\n"), ManifestFault::Layout);
    EXPECT_EQ(Parse(kGood + lines[6] + "\r\n"), ManifestFault::Layout);
    EXPECT_EQ(Parse(Join({lines[0], lines[1], lines[2], lines[3], lines[4], lines[4], lines[6]})),
              ManifestFault::Layout);
    // Sixteen files at most.
    std::vector<std::string> many(lines.begin(), lines.begin() + 4);
    for (int i = 0; i < 17; ++i) {
        many.push_back("file d" + std::to_string(i) + lines[5].substr(lines[5].find(' ', 5)));
    }
    many.push_back(lines[6]);
    EXPECT_EQ(Parse(Join(many)), ManifestFault::Layout);
    many.erase(many.begin() + 4);
    EXPECT_EQ(Parse(Join(many)), ManifestFault::None);
}

TEST(ManifestReading, EveryLineEndsInCrLfAndNothingIsTooLong) {
    std::string lfOnly;
    for (const std::string& line : Lines(kGood)) lfOnly += line + "\n";
    EXPECT_EQ(Parse(lfOnly), ManifestFault::LineEnd);
    std::string crOnly;
    for (const std::string& line : Lines(kGood)) crOnly += line + "\r";
    EXPECT_EQ(Parse(crOnly), ManifestFault::LineEnd);
    EXPECT_EQ(Parse(kGood.substr(0, kGood.size() - 2)), ManifestFault::LineEnd);
    EXPECT_EQ(Parse(kGood.substr(0, kGood.size() - 1)), ManifestFault::LineEnd);
    EXPECT_EQ(Parse(kGood + "x"), ManifestFault::LineEnd);
    EXPECT_EQ(Parse(WithLine(2, "version 1.6\r")), ManifestFault::LineEnd);
    EXPECT_EQ(Parse(WithLine(2, "version\n1.6")), ManifestFault::LineEnd);

    EXPECT_EQ(Parse(kGood + std::string(kManifestMaxBytes + 1 - kGood.size(), 'x')),
              ManifestFault::TooLong);
    EXPECT_EQ(Parse(kGood + std::string(kManifestMaxBytes - kGood.size(), 'x')),
              ManifestFault::LineEnd);
    EXPECT_EQ(Parse(WithLine(1, "key " + std::string(kManifestMaxLine, 'a'))),
              ManifestFault::TooLong);
    EXPECT_EQ(Parse(""), ManifestFault::UnknownFormat);
    EXPECT_EQ(Parse(WithLine(0, "KelvaroUpdate-Signatur 2")), ManifestFault::UnknownFormat);
    EXPECT_EQ(Parse(WithLine(0, "KelvaroUpdate-Signatur 1 ")), ManifestFault::UnknownFormat);
}

TEST(ManifestReading, FieldsAreTakenOnlyAsThePublisherWritesThem) {
    for (const char* version : {"1.6", "0.0", "10.12", "999999999.999999999"}) {
        EXPECT_EQ(Parse(WithLine(2, std::string("version ") + version)), ManifestFault::None)
            << version;
    }
    for (const char* version : {"1.06", "01.6", "1", "1.6.1", " 1.6", "1.6 ", "v1.6", "1.", ".6",
                                "$1.6", "1,6", "1234567890.1", "-1.6"}) {
        EXPECT_EQ(Parse(WithLine(2, std::string("version ") + version)), ManifestFault::Field)
            << version;
    }
    EXPECT_EQ(Parse(WithLine(3, "definitions 2147483647")), ManifestFault::None);
    EXPECT_EQ(Parse(WithLine(3, "definitions 0")), ManifestFault::None);
    for (const char* count : {"+25", "025", "-1", "2147483648", "25x", "$19", "99999999999"}) {
        EXPECT_EQ(Parse(WithLine(3, std::string("definitions ") + count)), ManifestFault::Field)
            << count;
    }
    EXPECT_EQ(Parse(WithLine(3, "definitions ")), ManifestFault::Layout);
    for (const std::string& id : {std::string("a b"), std::string(33, 'k'), std::string("\xE4")}) {
        EXPECT_EQ(Parse(WithLine(1, "key " + id)), ManifestFault::Field) << id;
    }

    const std::string hash = Lines(kGood)[5].substr(Lines(kGood)[5].rfind(' ') + 1);
    EXPECT_EQ(Parse(WithLine(5, "file Kelvaro 1 " + hash)), ManifestFault::None);
    for (const std::string& line :
         {"file Kelvaro 0 " + hash, "file Kelvaro -5 " + hash, "file Kelvaro 05 " + hash,
          "file Kelvaro 2147483648 " + hash, "file Kelvaro 5 " + hash.substr(1),
          "file Kelvaro 5 " + hash + "0", "file Kelvaro 5  " + hash, std::string("file Kelvaro 5"),
          "file Kelvaro 5 " + std::string(64, 'A'), "file a/b 5 " + hash, "file a\\b 5 " + hash,
          "file . 5 " + hash, "file .. 5 " + hash, "file a:b 5 " + hash, "file a\x80 5 " + hash,
          "file " + std::string(101, 'n') + " 5 " + hash}) {
        EXPECT_EQ(Parse(WithLine(5, line)), ManifestFault::Field) << line;
    }
}

TEST(ManifestReading, TheSignatureIsExactly64BytesInLowerCaseHex) {
    const std::string hex = Lines(kGood)[6].substr(10);
    ASSERT_EQ(hex.size(), 128u);
    EXPECT_EQ(Parse(WithLine(6, "signature " + hex.substr(0, 126))), ManifestFault::SignatureSize);
    EXPECT_EQ(Parse(WithLine(6, "signature " + hex + "00")), ManifestFault::SignatureSize);
    EXPECT_EQ(Parse(WithLine(6, "signature " + hex.substr(0, 127))), ManifestFault::SignatureSize);
    EXPECT_EQ(Parse(WithLine(6, "signature " + hex + hex.substr(0, 64))),
              ManifestFault::SignatureSize);
    EXPECT_EQ(Parse(WithLine(6, "signature ")), ManifestFault::Layout);
    std::string upper = hex;
    upper[0] = 'A';
    upper[1] = 'F';
    EXPECT_EQ(Parse(WithLine(6, "signature " + upper)), ManifestFault::Field);
    EXPECT_EQ(Parse(WithLine(6, "signature g" + hex.substr(1))), ManifestFault::Field);
}

TEST(ManifestCheck, AcceptsThePublishersSignatureByTheKeyItNames) {
    const std::string test = vectors::kTestKeys;
    const std::string other = vectors::kOtherKeys;
    const std::string byOther = vectors::kManifest16With25OtherKey;
    EXPECT_EQ(Check(kGood), ManifestFault::None);
    // While the key changes, a build trusts both.
    EXPECT_EQ(Check(kGood, Keys(other + "," + test)), ManifestFault::None);
    EXPECT_EQ(Check(byOther, Keys(other + "," + test)), ManifestFault::None);
    EXPECT_EQ(Check(byOther), ManifestFault::UnknownKey);
    EXPECT_EQ(Check(kGood, Keys(other)), ManifestFault::UnknownKey);
    EXPECT_EQ(Check(kGood, UpdateKeys{}), ManifestFault::UnknownKey);

    // The other key's manifest, claiming to be signed by the test key.
    std::string claimed = byOther;
    claimed.replace(claimed.find(IdOf(vectors::kOtherKeys)), 16, IdOf(vectors::kTestKeys));
    EXPECT_EQ(Check(claimed), ManifestFault::BadSignature);
    // The test key's signature under the other key's id.
    std::vector<std::string> swapped = Lines(kGood);
    swapped[1] = "key " + IdOf(vectors::kOtherKeys);
    EXPECT_EQ(Check(Join(swapped), Keys(other + "," + test)), ManifestFault::BadSignature);
    // All zero.
    EXPECT_EQ(Check(WithLine(6, "signature " + std::string(128, '0'))),
              ManifestFault::BadSignature);
}

TEST(ManifestCheck, EveryChangedByteIsRefused) {
    Manifest manifest;
    ASSERT_EQ(ParseManifest(kGood, manifest), ManifestFault::None);
    for (size_t at = 0; at < kGood.size() - 2; ++at) {
        std::string changed = kGood;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_NE(Check(changed), ManifestFault::None) << "byte " << at << " of " << kGood.size();
    }
}

}  // namespace
}  // namespace kelvaro::signing
