// DownloadToFile against a scripted server on 127.0.0.1 over the real sockets of the build
// (POSIX natively, Winsock under Wine): hostile answers, the exact request, the target
// file's fate, and what happens before any traffic.
#include "netupdate/download.h"

#include <gtest/gtest.h>

#include <future>
#include <set>
#include <string>
#include <vector>

#include "netupdate/netupdate.h"
#include "signing/sha256.h"
#include "support/fake_socket.h"
#include "support/scripted_server.h"
#include "support/temp_dir.h"

namespace kelvaro::net {
namespace {

using std::chrono::milliseconds;
using Then = test::ServerScript::Then;

const std::string kOldTarget = "alte Datei\r\n";
const std::string kOk = "HTTP/1.1 200 OK\r\n";
const std::string kChunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";

std::string Numbered(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

std::string Chunked(const std::string& body, size_t chunk) {
    std::string coded;
    char size[16];
    for (size_t at = 0; at < body.size(); at += chunk) {
        const std::string part = body.substr(at, chunk);
        std::snprintf(size, sizeof(size), "%zx", part.size());
        coded += size + std::string("\r\n") + part + "\r\n";
    }
    return coded + "0\r\n\r\n";
}

struct HostileCase {
    const char* name;
    test::ServerScript script;
    int32_t result;     // expected; 0 leaves the old target in place
    std::string file;   // the target's bytes on success
    bool split = true;  // also run with the answer sent in 1, 7, 2048 bytes
    DownloadLimits limits = {};
    // A stall costs the ten-second receive timeout. With a hundred downloads running at
    // once on a loaded machine, the upper bound only guards against a hang; that a closed
    // connection ends at once is checked one download at a time below.
    double minSeconds = 0;
    double maxSeconds = 30;
};

// Run once, with the answer in one send: the case is about time, not receive boundaries.
HostileCase Once(HostileCase c, double minSeconds = 0, double maxSeconds = 30) {
    c.split = false;
    c.minSeconds = minSeconds;
    c.maxSeconds = maxSeconds;
    return c;
}

HostileCase Stalled(HostileCase c) {
    return Once(std::move(c), 9.9, 30);
}

std::vector<HostileCase> HostileCases() {
    const std::string hundred = Numbered(100);
    const std::string big = Numbered(20000);
    const std::string large = Numbered(700000);  // beyond what is gathered for one write
    const std::string bigHead =
        kOk + "X-Fill: " + std::string(5000, 'f') + "\r\nContent-Length: 100\r\n\r\n";
    DownloadLimits shortOverall;
    shortOverall.overall = milliseconds(600);
    DownloadLimits smallCap;
    smallCap.unknownLengthCap = 50;
    const auto maxBody = [](int32_t cap) {
        DownloadLimits limits;
        limits.maxBody = cap;
        return limits;
    };
    const auto answer = [](std::string bytes, Then then = Then::Close) {
        test::ServerScript script;
        script.answer = std::move(bytes);
        script.then = then;
        return script;
    };
    test::ServerScript endlessHead = answer(kOk);
    endlessHead.repeat = "X-Fill: " + std::string(100, 'h') + "\r\n";
    test::ServerScript closesAtOnce;
    closesAtOnce.readRequest = false;
    test::ServerScript drip = answer(kOk + "Content-Length: 8\r\n\r\n12345678");
    drip.pieceSize = 1;
    drip.piecePause = milliseconds(25);
    test::ServerScript slowDrip = drip;
    slowDrip.piecePause = milliseconds(60);
    // Bodies without end: the caller's cap must stop them long before the time limits.
    test::ServerScript endlessAnnounced = answer(kOk + "Content-Length: 100000000\r\n\r\n");
    endlessAnnounced.repeat = big.substr(0, 2048);
    test::ServerScript endlessChunked = answer(kChunked);
    endlessChunked.repeat = "800\r\n" + big.substr(0, 2048) + "\r\n";
    test::ServerScript endlessOpen = answer(kOk + "\r\n");
    endlessOpen.repeat = big.substr(0, 2048);

    return {
        {"404", answer("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nweg"), 0, ""},
        {"302 with a body",
         answer("HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 3\r\n\r\nneu"), 0, ""},
        {"length 100", answer(kOk + "Content-Length: 100\r\n\r\n" + hundred), 100, hundred},
        {"length 0", answer(kOk + "Content-Length: 0\r\n\r\n"), 0, ""},
        {"short, then closed", answer(kOk + "Content-Length: 100\r\n\r\n" + hundred.substr(0, 40)),
         0, ""},
        Stalled({"short, then stalled",
                 answer(kOk + "Content-Length: 100\r\n\r\n" + hundred.substr(0, 40), Then::Hold), 0,
                 ""}),
        Once({"large body, announced length",
              answer(kOk + "Content-Length: 700000\r\n\r\n" + large), 700000, large}),
        Once({"large body, chunked", answer(kChunked + Chunked(large, 1500)), 700000, large}),
        {"chunked in one block", answer(kChunked + "5\r\nhallo\r\n0\r\n\r\n"), 5, "hallo"},
        {"chunked across many blocks", answer(kChunked + Chunked(big, 1500)), 20000, big},
        {"chunked with extensions",
         answer(kChunked + "5;a=b\r\nhallo\r\n3;c\r\n!!!\r\n0;e\r\n\r\n"), 8, "hallo!!!"},
        {"chunked with a bogus size", answer(kChunked + "5\r\nhallo\r\nxyz\r\nabc\r\n0\r\n\r\n"), 0,
         ""},
        {"chunked with an overflowing size",
         answer(kChunked + "5\r\nhallo\r\nFFFFFFFFF\r\nabc\r\n0\r\n\r\n"), 0, ""},
        {"chunked without the closing chunk", answer(kChunked + "5\r\nhallo\r\n"), 0, ""},
        Stalled(
            {"chunked, stalled inside a chunk", answer(kChunked + "5\r\nhal", Then::Hold), 0, ""}),
        {"length and chunked together",
         answer(kOk +
                "Transfer-Encoding: chunked\r\nContent-Length: 10\r\n\r\n5\r\nhallo\r\n0\r\n\r\n"),
         10, "5\r\nhallo\r\n"},
        {"no length, until closed", answer(kOk + "\r\n" + big.substr(0, 3000)), 3000,
         big.substr(0, 3000)},
        Once({"no length, then silence", answer(kOk + "\r\n" + hundred, Then::Hold), 100, hundred},
             0.95),
        {"no length, nothing", answer(kOk + "\r\n"), 0, ""},
        {"no length, beyond the cap", answer(kOk + "\r\n" + hundred), 0, "", true, smallCap},
        {"length at the caller's cap", answer(kOk + "Content-Length: 100\r\n\r\n" + hundred), 100,
         hundred, true, maxBody(100)},
        {"length beyond the caller's cap", answer(kOk + "Content-Length: 100\r\n\r\n" + hundred),
         0, "", true, maxBody(99)},
        {"chunked beyond the caller's cap", answer(kChunked + Chunked(big, 1500)), 0, "", true,
         maxBody(19999)},
        {"no length, at the caller's cap", answer(kOk + "\r\n" + hundred), 100, hundred, true,
         maxBody(100)},
        {"no length, beyond the caller's cap", answer(kOk + "\r\n" + hundred), 0, "", true,
         maxBody(99)},
        Once({"100 MB announced, capped", endlessAnnounced, 0, "", true, maxBody(65536)}, 0, 5),
        Once({"endless chunks, capped", endlessChunked, 0, "", true, maxBody(65536)}, 0, 5),
        Once({"endless open body, capped", endlessOpen, 0, "", true, maxBody(65536)}, 0, 5),
        {"mixed-case names", answer("HTTP/1.1 200 OK\r\ncontent-LENGTH:   5\r\n\r\nhallo"), 5,
         "hallo"},
        {"negative length", answer(kOk + "Content-Length: -5\r\n\r\nhallo"), 0, ""},
        {"overflowing length", answer(kOk + "Content-Length: 4294967301\r\n\r\nhallo"), 0, ""},
        {"head beyond 2048 bytes", answer(bigHead + hundred), 100, hundred},
        Once({"head of 60 KiB",
              answer(kOk + "X-Fill: " + std::string(60000, 'f') +
                     "\r\nContent-Length: 5\r\n\r\nhallo"),
              5, "hallo"}),
        Once({"head that never ends", endlessHead, 0, ""}),
        {"head cut short, then closed", answer(kOk + "Content-Length: 5\r\n"), 0, ""},
        Stalled({"head cut short, then stalled", answer(kOk + "Content-Length: 5\r\n", Then::Hold),
                 0, ""}),
        Stalled({"accepts, never answers", answer("", Then::Hold), 0, ""}),
        Once({"closes at once", closesAtOnce, 0, ""}),
        {"garbage status line", answer("Hallo Welt 200\r\n\r\nhallo"), 0, ""},
        {"200 only in the reason", answer("HTTP/1.1 500 200\r\nContent-Length: 5\r\n\r\nhallo"), 0,
         ""},
        Once({"drip within the limits", drip, 8, "12345678"}),
        Once({"drip beyond the overall limit", slowDrip, 0, "", true, shortOverall}, 0.55),
    };
}

struct CaseRun {
    std::string label;
    int32_t expected = 0;
    std::string expectedFile;
    double minSeconds = 0;
    double maxSeconds = 0;
    int32_t result = -1;
    std::string file;
    size_t filesLeft = 0;
    double seconds = 0;
};

// One download from a scripted server into a target that held kOldTarget before.
void Download(const test::ServerScript& script, const DownloadLimits& limits, CaseRun& run) {
    test::TempDir folder;
    const std::string target = folder.File("Kelvaro");
    test::WriteBytes(target, kOldTarget);
    test::ScriptedServer server(script);
    const auto start = std::chrono::steady_clock::now();
    run.result = DownloadWith(SystemSockets(), limits, server.Url().c_str(), target.c_str());
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.file = test::ReadBytes(target);
    run.filesLeft = folder.Count();
}

class DownloadToFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartNetwork()); }
};

// Every case runs at once on threads of its own, so the ten-second stalls overlap.
TEST_F(DownloadToFileTest, SurvivesHostileServersAndKeepsTheOldTargetOnFailure) {
    const std::vector<HostileCase> cases = HostileCases();
    std::vector<CaseRun> runs;
    std::vector<std::future<void>> pending;
    runs.reserve(cases.size() * 4);
    for (const HostileCase& c : cases) {
        for (const size_t piece : {size_t(0), size_t(1), size_t(7), size_t(2048)}) {
            if (piece != 0 && !c.split) continue;
            CaseRun& run = runs.emplace_back();
            run.label = std::string(c.name) + " / pieces " + std::to_string(piece);
            run.expected = c.result;
            run.expectedFile = c.result > 0 ? c.file : kOldTarget;
            run.minSeconds = c.minSeconds;
            run.maxSeconds = c.maxSeconds;
            test::ServerScript script = c.script;
            if (piece != 0) script.pieceSize = piece;
            pending.push_back(std::async(std::launch::async,
                                         [&run, &c, script] { Download(script, c.limits, run); }));
        }
    }
    for (auto& p : pending) p.get();
    for (const CaseRun& run : runs) {
        EXPECT_EQ(run.result, run.expected) << run.label;
        EXPECT_EQ(run.file, run.expectedFile) << run.label;
        EXPECT_EQ(run.filesLeft, 1u) << run.label << ": a temporary file was left behind";
        EXPECT_GE(run.seconds, run.minSeconds) << run.label;
        EXPECT_LE(run.seconds, run.maxSeconds) << run.label;
    }
}

// A server that closes the connection ends the download at once, whatever the body mode:
// none of these may wait out the ten-second receive timeout. One at a time, so the time
// measured is the download's own.
TEST_F(DownloadToFileTest, EndsAtOnceWhenTheServerCloses) {
    const std::set<std::string> closing = {"short, then closed", "no length, until closed",
                                           "chunked without the closing chunk",
                                           "head cut short, then closed", "closes at once"};
    int checked = 0;
    for (const HostileCase& c : HostileCases()) {
        if (closing.count(c.name) == 0) continue;
        CaseRun run;
        Download(c.script, c.limits, run);
        EXPECT_EQ(run.result, c.result) << c.name;
        EXPECT_LT(run.seconds, 5.0) << c.name;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(closing.size()));
}

TEST_F(DownloadToFileTest, SendsTheExactRequestAndCreatesAMissingTarget) {
    test::ServerScript script;
    script.answer = kOk + "Content-Length: 2\r\n\r\nok";
    test::ScriptedServer server(script);
    test::TempDir folder;
    const std::string target = folder.File("neu");
    const std::string port = std::to_string(server.port());

    ASSERT_EQ(DownloadToFile(("http://127.0.0.1:" + port).c_str(), target.c_str()), 2);
    EXPECT_EQ(server.LastRequest(), "GET / HTTP/1.1\r\nAccept: */*\r\nHost: 127.0.0.1:" + port +
                                        "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(test::ReadBytes(target), "ok");

    const std::string url = "http://ich:pw@localhost:" + port + "/Kelvaro/Kelvaro?v=1.5&a=%20";
    ASSERT_EQ(DownloadToFile(url.c_str(), target.c_str()), 2);
    EXPECT_EQ(server.LastRequest(),
              "GET /Kelvaro/Kelvaro?v=1.5&a=%20 HTTP/1.1\r\nAccept: */*\r\n"
              "Host: localhost:" +
                  port + "\r\nConnection: close\r\n\r\n");
}

TEST_F(DownloadToFileTest, FailsWithoutTouchingTheTargetWhenNothingCanBeFetched) {
    test::TempDir folder;
    const std::string target = folder.File("Kelvaro");
    test::WriteBytes(target, kOldTarget);
    uint16_t closedPort = 0;
    {
        test::ScriptedServer gone({});
        closedPort = gone.port();
    }
    for (const std::string& url :
         {"http://127.0.0.1:" + std::to_string(closedPort) + "/x", std::string("kein-url")}) {
        EXPECT_EQ(DownloadToFile(url.c_str(), target.c_str()), 0) << url;
    }
    EXPECT_EQ(DownloadToFile(nullptr, target.c_str()), 0);
    EXPECT_EQ(test::ReadBytes(target), kOldTarget);
    EXPECT_EQ(folder.Count(), 1u);

    test::ServerScript script;
    script.answer = kOk + "Content-Length: 2\r\n\r\nok";
    test::ScriptedServer server(script);
    EXPECT_EQ(DownloadToFile(server.Url().c_str(), folder.File("fehlt/Kelvaro").c_str()), 0);
}

// With an expectation, only the announced body replaces the target, however it arrives;
// any other body is a failed download that leaves the target and no temporary file.
TEST_F(DownloadToFileTest, HoldsTheBodyToTheExpectedSizeAndHash) {
    const std::string large = Numbered(700000);  // hashed across several gathered writes
    const DownloadExpectation expected{700000, signing::Sha256Of(large).value()};
    DownloadExpectation otherHash = expected;
    otherHash.sha256[31] ^= 1;
    DownloadExpectation shorter = expected;
    shorter.size = 699999;
    DownloadExpectation longer = expected;
    longer.size = 700001;
    struct Case {
        std::string answer;
        const DownloadExpectation* expected;
        int32_t result;
        size_t pieceSize = 0;  // in pieces with pauses between them
    };
    const std::vector<Case> cases = {
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &expected, 700000},
        {kChunked + Chunked(large, 5000), &expected, 700000},
        {kOk + "\r\n" + large, &expected, 700000},
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &otherHash, 0},
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &shorter, 0},
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &longer, 0},
        {kOk + "\r\n" + large + "x", &expected, 0},
        {kChunked + Chunked(large.substr(1), 5000), &expected, 0},
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &expected, 700000, 9000},
        {kOk + "Content-Length: 700000\r\n\r\n" + large, &otherHash, 0, 9000},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        test::TempDir folder;
        const std::string target = folder.File("Kelvaro(x64).exe");
        test::WriteBytes(target, kOldTarget);
        test::ServerScript script;
        script.answer = cases[i].answer;
        script.pieceSize = cases[i].pieceSize;
        script.piecePause = std::chrono::milliseconds(cases[i].pieceSize > 0 ? 1 : 0);
        test::ScriptedServer server(script);
        EXPECT_EQ(DownloadToFile(server.Url().c_str(), target.c_str(), cases[i].expected),
                  cases[i].result)
            << "case " << i;
        EXPECT_EQ(test::ReadBytes(target) == large, cases[i].result != 0) << "case " << i;
        EXPECT_EQ(folder.Count(), 1u) << "case " << i;
    }
    const DownloadExpectation none{0, {}};
    test::ServerScript script;
    script.answer = kOk + "Content-Length: 2\r\n\r\nok";
    test::ScriptedServer server(script);
    test::TempDir folder;
    EXPECT_EQ(DownloadToFile(server.Url().c_str(), folder.File("x").c_str(), &none), 0);
    EXPECT_EQ(server.Connections(), 0);
}

TEST(DownloadWithoutNetwork, UsesLiteralAddressesWithoutLookUpAndNamesWithOne) {
    test::TempDir folder;
    const std::string target = folder.File("Kelvaro");
    test::FakeSocketLayer sockets;
    ASSERT_EQ(DownloadWith(sockets, {}, "http://192.168.10.20/a", target.c_str()), 2);
    EXPECT_TRUE(sockets.lookUps.empty());
    EXPECT_EQ(sockets.address, 0x140AA8C0u);  // 192.168.10.20 in network byte order
    EXPECT_EQ(sockets.port, 80);
    EXPECT_EQ(sockets.sent,
              "GET /a HTTP/1.1\r\nAccept: */*\r\nHost: 192.168.10.20\r\nConnection: close\r\n\r\n");

    sockets.sent.clear();
    ASSERT_EQ(DownloadWith(sockets, {}, "http://update.example.de:80", target.c_str()), 2);
    EXPECT_EQ(sockets.lookUps, std::vector<std::string>{"update.example.de"});
    EXPECT_EQ(
        sockets.sent,
        "GET / HTTP/1.1\r\nAccept: */*\r\nHost: update.example.de\r\nConnection: close\r\n\r\n");

    sockets.connects = 0;
    EXPECT_EQ(DownloadWith(sockets, {}, "http://name.invalid/a", target.c_str()), 0);
    EXPECT_EQ(sockets.connects, 0);
}

TEST(DownloadWithoutNetwork, BadUrlsCauseNoTraffic) {
    test::TempDir folder;
    const std::string target = folder.File("Kelvaro");
    test::FakeSocketLayer sockets;
    for (const char* url : {"update.example.de/Kelvaro/Kelvaro", "http://", "http://:81/x",
                            "http://host/x\r\nHost: evil"}) {
        EXPECT_EQ(DownloadWith(sockets, {}, url, target.c_str()), 0) << url;
    }
    EXPECT_EQ(DownloadWith(sockets, {}, nullptr, target.c_str()), 0);
    EXPECT_EQ(DownloadWith(sockets, {}, "http://host/x", nullptr), 0);
    EXPECT_TRUE(sockets.lookUps.empty());
    EXPECT_EQ(sockets.connects, 0);
    EXPECT_EQ(test::ReadBytes(target), "<missing>");
}

}  // namespace
}  // namespace kelvaro::net
