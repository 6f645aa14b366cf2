// Reading and checking the update manifest. Everything that is not exactly as the
// publisher's tool writes it is refused: one spelling per manifest leaves an attacker no
// room between what a reader sees and what was signed.
#include "signing/manifest.h"

#include "signing/hex.h"

namespace kelvaro::signing {
namespace {

constexpr std::string_view kFormatLine = "KelvaroUpdate-Signatur 1";
constexpr int64_t kInt32Max = 2147483647;

// The lines without their CR LF; every line must end in CR LF and hold no other CR or LF.
ManifestFault SplitLines(std::string_view bytes, std::vector<std::string_view>& lines) {
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos || bytes.substr(end, 2) != "\r\n") {
            return ManifestFault::LineEnd;
        }
        if (end > kManifestMaxLine) return ManifestFault::TooLong;
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 2);
    }
    return ManifestFault::None;
}

// A decimal number without sign or leading zeros, at most the 32-bit maximum.
bool ReadCount(std::string_view text, int32_t& value) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) return false;
    int64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number > kInt32Max) return false;
    value = static_cast<int32_t>(number);
    return true;
}

bool IsVersion(std::string_view text) {
    const size_t dot = text.find('.');
    int32_t ignored = 0;
    return dot != std::string_view::npos && dot <= 9 && text.size() - dot - 1 <= 9 &&
           ReadCount(text.substr(0, dot), ignored) && ReadCount(text.substr(dot + 1), ignored);
}

// Printable ASCII without blanks and without the characters Windows refuses in file names,
// and no "." or "..": a name that is also a plain file name in the working folder.
bool IsFileName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name == "." || name == "..") return false;
    for (const char c : name) {
        if (c <= ' ' || c > '~' ||
            std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// Splits "keyword value" at its first blank; the value must not be empty.
bool SplitKeyword(std::string_view line, std::string_view keyword, std::string_view& value) {
    if (line.size() <= keyword.size() + 1 || line.substr(0, keyword.size()) != keyword ||
        line[keyword.size()] != ' ') {
        return false;
    }
    value = line.substr(keyword.size() + 1);
    return true;
}

ManifestFault ReadFileLine(std::string_view value, Manifest& manifest) {
    const size_t first = value.find(' ');
    const size_t second = first == std::string_view::npos ? first : value.find(' ', first + 1);
    if (second == std::string_view::npos) return ManifestFault::Field;
    ManifestFile file;
    file.name = std::string(value.substr(0, first));
    if (!IsFileName(file.name) ||
        !ReadCount(value.substr(first + 1, second - first - 1), file.size) || file.size == 0 ||
        !DecodeLowerHex(value.substr(second + 1), file.sha256.data(), file.sha256.size())) {
        return ManifestFault::Field;
    }
    if (manifest.FindFile(file.name) != nullptr || manifest.files.size() == kManifestMaxFiles) {
        return ManifestFault::Layout;
    }
    manifest.files.push_back(std::move(file));
    return ManifestFault::None;
}

ManifestFault ReadSignatureLine(std::string_view value, Manifest& manifest) {
    if (value.size() != 2 * kP256SignatureSize) return ManifestFault::SignatureSize;
    return DecodeLowerHex(value, manifest.signature.data(), manifest.signature.size())
               ? ManifestFault::None
               : ManifestFault::Field;
}

// The lines after the format line, in their one order.
ManifestFault ReadFields(const std::vector<std::string_view>& lines, Manifest& manifest) {
    std::string_view value;
    if (lines.size() < 6) return ManifestFault::Layout;
    if (!SplitKeyword(lines[1], "key", value)) return ManifestFault::Layout;
    if (!IsKeyId(value)) return ManifestFault::Field;
    manifest.keyId = std::string(value);
    if (!SplitKeyword(lines[2], "version", value)) return ManifestFault::Layout;
    if (!IsVersion(value)) return ManifestFault::Field;
    manifest.version = std::string(value);
    if (!SplitKeyword(lines[3], "definitions", value)) return ManifestFault::Layout;
    if (!ReadCount(value, manifest.definitions)) return ManifestFault::Field;
    size_t at = 4;
    for (; at < lines.size() && SplitKeyword(lines[at], "file", value); ++at) {
        const ManifestFault fault = ReadFileLine(value, manifest);
        if (fault != ManifestFault::None) return fault;
    }
    // At least one file line, then the signature line as the very last line.
    if (at == 4 || at + 1 != lines.size() || !SplitKeyword(lines[at], "signature", value)) {
        return ManifestFault::Layout;
    }
    return ReadSignatureLine(value, manifest);
}

}  // namespace

const ManifestFile* Manifest::FindFile(std::string_view name) const {
    for (const ManifestFile& file : files) {
        if (file.name == name) return &file;
    }
    return nullptr;
}

ManifestFault ParseManifest(std::string_view bytes, Manifest& manifest) {
    manifest = Manifest{};
    if (bytes.size() > kManifestMaxBytes) return ManifestFault::TooLong;
    std::vector<std::string_view> lines;
    const ManifestFault split = SplitLines(bytes, lines);
    if (split != ManifestFault::None) return split;
    if (lines.empty() || lines[0] != kFormatLine) return ManifestFault::UnknownFormat;
    const ManifestFault fault = ReadFields(lines, manifest);
    if (fault != ManifestFault::None) return fault;
    // The signature line is the last line; it and its CR LF are not signed.
    manifest.signedLength = bytes.size() - lines.back().size() - 2;
    return ManifestFault::None;
}

ManifestFault CheckSignedManifest(std::string_view bytes, const UpdateKeys& keys,
                                  Manifest& manifest) {
    const ManifestFault fault = ParseManifest(bytes, manifest);
    if (fault != ManifestFault::None) return fault;
    const UpdateKey* key = FindUpdateKey(keys, manifest.keyId);
    if (key == nullptr) return ManifestFault::UnknownKey;
    const std::optional<Sha256Digest> digest = Sha256Of(bytes.substr(0, manifest.signedLength));
    const std::string_view signature(reinterpret_cast<const char*>(manifest.signature.data()),
                                     manifest.signature.size());
    if (!digest || !VerifyP256Signature(key->point, *digest, signature)) {
        return ManifestFault::BadSignature;
    }
    return ManifestFault::None;
}

}  // namespace kelvaro::signing
