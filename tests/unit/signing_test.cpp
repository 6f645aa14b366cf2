// The crypto seam with vectors that the openssl command made: SHA-256, ECDSA P-256
// signatures and the key list. Natively this runs OpenSSL's libcrypto; the same suite in
// the Windows build runs CNG (bcrypt.dll) under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "signing/hex.h"
#include "signing/p256.h"
#include "signing/sha256.h"
#include "signing/update_keys.h"
#include "unit/signing_vectors.h"

namespace kelvaro::signing {
namespace {

namespace vectors = test::vectors;

std::string Hex(const Sha256Digest& digest) {
    return EncodeLowerHex(digest.data(), digest.size());
}

std::string Bytes(std::string_view hex) {
    std::string bytes(hex.size() / 2, '\0');
    EXPECT_TRUE(DecodeLowerHex(hex, reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()));
    return bytes;
}

const P256PublicKey& TestKey() {
    static const P256PublicKey key = ParseUpdateKeys(vectors::kTestKeys).value().front().point;
    return key;
}

const P256PublicKey& OtherKey() {
    static const P256PublicKey key = ParseUpdateKeys(vectors::kOtherKeys).value().front().point;
    return key;
}

Sha256Digest DigestOf(std::string_view bytes) {
    return Sha256Of(bytes).value();
}

TEST(Sha256, KnownDigestsAndAnyCutIntoPiecesGivesTheSame) {
    EXPECT_EQ(Hex(DigestOf("")),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex(DigestOf("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    std::string long_text;
    for (int i = 0; i < 1000; ++i) long_text += static_cast<char>(i * 31);
    const Sha256Digest whole = DigestOf(long_text);
    for (const size_t piece : {size_t(1), size_t(63), size_t(64), size_t(65), size_t(999)}) {
        Sha256 hash;
        for (size_t at = 0; at < long_text.size(); at += piece) {
            hash.Update(long_text.data() + at, std::min(piece, long_text.size() - at));
        }
        Sha256Digest digest{};
        ASSERT_TRUE(hash.Finish(digest));
        EXPECT_EQ(digest, whole) << "pieces of " << piece;
        // A finished hash gives nothing more.
        EXPECT_FALSE(hash.Finish(digest));
    }
}

TEST(P256Signature, AcceptsTheSignaturesOfTheKeyOnTheMessageAndNothingElse) {
    const Sha256Digest digest = DigestOf(vectors::kMessage);
    const std::string good = Bytes(vectors::kSignature);
    EXPECT_TRUE(VerifyP256Signature(TestKey(), digest, good));
    EXPECT_TRUE(VerifyP256Signature(TestKey(), digest, Bytes(vectors::kLeadingZeroSignature)));
    EXPECT_TRUE(VerifyP256Signature(OtherKey(), digest, Bytes(vectors::kOtherKeySignature)));

    // One flipped bit of the message, another key, a signature of another key.
    std::string flipped = vectors::kMessage;
    flipped[3] ^= 1;
    EXPECT_FALSE(VerifyP256Signature(TestKey(), DigestOf(flipped), good));
    EXPECT_FALSE(VerifyP256Signature(OtherKey(), digest, good));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, Bytes(vectors::kOtherKeySignature)));
    for (const size_t at : {size_t(0), size_t(31), size_t(32), size_t(63)}) {
        std::string changed = good;
        changed[at] ^= 0x40;
        EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, changed)) << "byte " << at;
    }
}

TEST(P256Signature, RefusesZeroesWrongLengthsAndPointsOffTheCurve) {
    const Sha256Digest digest = DigestOf(vectors::kMessage);
    const std::string good = Bytes(vectors::kSignature);
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, std::string(64, '\0')));
    // 63 and 65 bytes, and 128 (twice the signature), which a check that halves the length
    // without looking at it would read as r and s again.
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, good.substr(0, 63)));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, good + '\0'));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, '\0' + good));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, good + good));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, ""));
    P256PublicKey offCurve = TestKey();
    offCurve[63] ^= 1;
    EXPECT_FALSE(VerifyP256Signature(offCurve, digest, good));
    EXPECT_FALSE(VerifyP256Signature(P256PublicKey{}, digest, good));
}

// The group order n of P-256, big-endian: r and s must lie in 1 to n - 1.
constexpr char kOrder[] = "ffffffff00000000ffffffffffffffffbce6faada7179e84f3b9cac2fc632551";

// n - value, for 32 big-endian bytes below n.
std::string OrderMinus(const std::string& value) {
    const std::string n = Bytes(kOrder);
    std::string result(32, '\0');
    int borrow = 0;
    for (int i = 31; i >= 0; --i) {
        int digit = static_cast<uint8_t>(n[i]) - static_cast<uint8_t>(value[i]) - borrow;
        borrow = digit < 0 ? 1 : 0;
        result[i] = static_cast<char>(digit + 256 * borrow);
    }
    return result;
}

// r = n or s = n is no signature, on either path; the twin of a good signature with s
// replaced by n - s (high S) is one, as ECDSA defines it, on both.
TEST(P256Signature, RefusesTheOrderAsROrSAndTakesTheHighSTwinAsBothPathsDo) {
    const Sha256Digest digest = DigestOf(vectors::kMessage);
    const std::string good = Bytes(vectors::kSignature);
    const std::string r = good.substr(0, 32);
    const std::string s = good.substr(32);
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, Bytes(kOrder) + s));
    EXPECT_FALSE(VerifyP256Signature(TestKey(), digest, r + Bytes(kOrder)));
    EXPECT_TRUE(VerifyP256Signature(TestKey(), digest, r + OrderMinus(s)));
    EXPECT_FALSE(VerifyP256Signature(OtherKey(), digest, r + OrderMinus(s)));
}

TEST(UpdateKeys, ReadsIdHexEntriesAndRefusesAnythingElse) {
    const std::string test = vectors::kTestKeys;
    const std::string other = vectors::kOtherKeys;
    const auto both = ParseUpdateKeys(test + "," + other);
    ASSERT_TRUE(both.has_value());
    ASSERT_EQ(both->size(), 2u);
    EXPECT_EQ((*both)[0].point, TestKey());
    EXPECT_EQ((*both)[1].point, OtherKey());
    ASSERT_NE(FindUpdateKey(*both, other.substr(0, other.find(':'))), nullptr);
    EXPECT_EQ(FindUpdateKey(*both, other.substr(0, other.find(':')))->point, OtherKey());
    EXPECT_EQ(FindUpdateKey(*both, "unbekannt"), nullptr);
    EXPECT_TRUE(ParseUpdateKeys("neu-2027_a.b:" + test.substr(test.find(':') + 1)).has_value());

    const std::string hex = test.substr(test.find(':') + 1);
    std::string upper = hex;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const std::string& bad :
         {std::string(), std::string(","), test + ",", hex, "a:" + hex.substr(1), "a:" + hex + "0",
          "a:" + upper, "a b:" + hex, std::string(33, 'a') + ":" + hex, ":" + hex,
          "a:" + hex + ",a:" + hex, test + ";" + other}) {
        EXPECT_FALSE(ParseUpdateKeys(bad).has_value()) << bad;
    }
}

// The build's keys are the test key in every test build (the presets say so), which the
// end-to-end tests' update folders are signed with.
TEST(UpdateKeys, TheBuildTrustsTheTestKey) {
    const std::string test = vectors::kTestKeys;
    const UpdateKey* key = FindUpdateKey(BuildUpdateKeys(), test.substr(0, test.find(':')));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->point, TestKey());
}

}  // namespace
}  // namespace kelvaro::signing
