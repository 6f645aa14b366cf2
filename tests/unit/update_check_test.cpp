// The update check: the update information file, the version comparison, the question
// texts, the agreement with the signed manifest, and the check's steps against recorded
// services. The manifests come from the publisher's tool (signing_vectors.h) and are
// checked with the real verifier of the build.
#include "update/update_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "signing/manifest.h"
#include "unit/signing_vectors.h"
#include "update/update_info.h"

namespace kelvaro {
namespace {

using ::testing::ElementsAre;

TEST(UpdateInfo, ReadsTheCountAndTheVersionWithAnyLineEnd) {
    for (const char* bytes :
         {"25\r\n1.6\r\n", "25\n1.6\n", "25\r1.6\r", "25\r\n1.6", "25\n1.6\r\n"}) {
        const UpdateInfo info = ReadUpdateInfo(bytes);
        EXPECT_EQ(info.definitionsCount, 25) << bytes;
        EXPECT_EQ(info.version, "1.6") << bytes;
    }
    // CR CR is two line ends: line 2 is empty.
    EXPECT_EQ(ReadUpdateInfo("25\r\r1.6").version, "");
    // Further lines are ignored; blanks stay part of the version text.
    EXPECT_EQ(ReadUpdateInfo("7\r\n 2.0 beta\r\n9.9\r\n").version, " 2.0 beta");
}

TEST(UpdateInfo, MissingLinesReadAsEmptyAndNumbersAsTheNumberReaderDoes) {
    EXPECT_EQ(ReadUpdateInfo("").definitionsCount, 0);
    EXPECT_EQ(ReadUpdateInfo("").version, "");
    EXPECT_EQ(ReadUpdateInfo("86").definitionsCount, 86);
    EXPECT_EQ(ReadUpdateInfo("86").version, "");
    EXPECT_EQ(ReadUpdateInfo("$1F\r\n1.5").definitionsCount, 31);
    EXPECT_EQ(ReadUpdateInfo("%101\r\n1.5").definitionsCount, 5);
    EXPECT_EQ(ReadUpdateInfo(" \t+12x\r\n1.5").definitionsCount, 12);
    EXPECT_EQ(ReadUpdateInfo("keine Zahl\r\n1.5").definitionsCount, 0);
}

TEST(UpdateInfo, AZeroByteEndsALineSoTheQuestionIsNeverCutShort) {
    const UpdateInfo info = ReadUpdateInfo(std::string("25\r\n1.6\0\x89PNG", 11));
    EXPECT_EQ(info.version, "1.6");
    EXPECT_EQ(ReadUpdateInfo(std::string("\0\x01\x02", 3)).version, "\x01\x02");
}

TEST(VersionComparison, MajorAndMinorCompareAsNumbersMissingFieldsAreZero) {
    EXPECT_TRUE(IsNewerVersion("1.6", "1.5"));
    EXPECT_FALSE(IsNewerVersion("1.5", "1.5"));
    EXPECT_FALSE(IsNewerVersion("0.9", "1.5"));
    EXPECT_TRUE(IsNewerVersion("2.0", "1.5"));
    EXPECT_TRUE(IsNewerVersion("1.10", "1.5"));
    EXPECT_TRUE(IsNewerVersion("2", "1.5"));
    EXPECT_FALSE(IsNewerVersion("1", "1.5"));
    EXPECT_FALSE(IsNewerVersion("", "1.5"));
    EXPECT_FALSE(IsNewerVersion("1.5.9", "1.5"));  // only two fields count
    EXPECT_FALSE(IsNewerVersion("1.49", "1.50"));
    EXPECT_TRUE(IsNewerVersion("$10.0", "1.5"));
    EXPECT_FALSE(IsNewerVersion("-2.9", "1.5"));
}

TEST(UpdateTexts, QuestionsAreTheExactBytes) {
    EXPECT_EQ(ProgramUpdateQuestion("1.6"),
              "Es ein Update verf\xFCgbar. `1.6`\r\n\r\nM\xF6"
              "chten Sie jetzt aktualisieren\n(Das Programm wird dazu beendet und neugestartet)");
    EXPECT_EQ(NewDefinitionsQuestion(5),
              "Es sind 5 neue Definitionen verf\xFCgbar.\r\n\r\nM\xF6"
              "chten Sie jetzt aktualisieren");
}

// Services that record every call as one line and answer from the test's settings.
class UpdateCheckRun : public ::testing::Test {
protected:
    UpdateCheckRun() {
        services.networkStarted = true;
        services.baseUrl = "http://127.0.0.1:1/Kelvaro/";
        services.runningVersion = "1.5";
        services.updateKeys = signing::ParseUpdateKeys(test::vectors::kTestKeys).value();
        services.updaterPath = "C:\\K\\KelvaroUpdate.exe";
        services.download = [this](const std::string& url, const std::string& file,
                                   const DownloadExpectation* expected, int32_t maxSize) {
            log.push_back("download " + url + " -> " + file +
                          (expected ? " (" + std::to_string(expected->size) + " bytes)" : "") +
                          (maxSize > 0 ? " (max " + std::to_string(maxSize) + ")" : ""));
            if (expected != nullptr) expectation = *expected;
            if (file == kUpdateInfoFileName) return infoDownload;
            if (file == signing::kManifestFileName) return manifestDownload;
            return definitionsDownload;
        };
        services.readFileStart = [this](const std::string& file, size_t limit, std::string& bytes) {
            log.push_back("read " + file);
            bytes = file == kUpdateInfoFileName ? infoBytes : manifestBytes;
            if (bytes.size() > limit) bytes.resize(limit);
            return infoReadable;
        };
        services.deleteFile = [this](const std::string& file) { log.push_back("delete " + file); };
        services.showBox = [this](const std::string& text, const std::string& caption) {
            log.push_back("box " + caption + ": " + text);
        };
        services.ask = [this](const std::string& question) {
            log.push_back("ask " + question.substr(0, question.find('\r')));
            const bool yes = !answers.empty() && answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return yes;
        };
        services.definitionsCount = [this] { return loaded; };
        services.reloadDefinitions = [this] { log.push_back("reload"); };
        services.startProgram = [this](const std::string& program, const std::string& parameters,
                                       const std::string& directory) {
            log.push_back("start " + program + " [" + parameters + "] in [" + directory + "]");
            return startResult;
        };
        services.endProgram = [this] { log.push_back("end"); };
    }

    std::vector<std::string> Run(bool manual) {
        log.clear();
        RunUpdateCheck(manual, services);
        return log;
    }

    UpdateCheckServices services;
    std::vector<std::string> log;
    int32_t infoDownload = 9;
    int32_t manifestDownload = 700;
    int32_t definitionsDownload = 4000;
    bool infoReadable = true;
    std::string infoBytes = "20\r\n1.5\r\n";
    std::string manifestBytes = test::vectors::kManifest15With20;
    int32_t loaded = 20;
    std::vector<bool> answers;
    int startResult = 1;
    std::optional<DownloadExpectation> expectation;
};

const std::string kInfoDownload =
    "download http://127.0.0.1:1/Kelvaro/KelvaroUpdate -> KelvaroUpdate (max 65536)";
const std::string kManifestDownload =
    "download http://127.0.0.1:1/Kelvaro/KelvaroUpdate.sig -> KelvaroUpdate.sig (max 8192)";
const std::string kDefinitionsDownload =
    "download http://127.0.0.1:1/Kelvaro/Kelvaro -> Kelvaro (" +
    std::to_string(std::string(test::vectors::kDefinitions25).size()) + " bytes)";
const std::string kProgramQuestion = "ask Es ein Update verf\xFCgbar. `1.6`";
const std::string kFiveNew = "ask Es sind 5 neue Definitionen verf\xFCgbar.";
const std::string kNotSigned =
    "box Fehler: Die Updateinformationen sind nicht g\xFCltig signiert. Es wurde nichts "
    "ge\xE4ndert.";

// The steps every check takes before it offers anything: the information file, then the
// manifest, each fetched and read.
std::vector<std::string> Fetched(std::vector<std::string> then) {
    std::vector<std::string> steps = {kInfoDownload, "read KelvaroUpdate", kManifestDownload,
                                      "read KelvaroUpdate.sig"};
    steps.insert(steps.end(), then.begin(), then.end());
    return steps;
}

const std::vector<std::string> kBothDeleted = {"delete KelvaroUpdate", "delete KelvaroUpdate.sig"};

// A refused manifest: both files go before the box is shown.
const std::vector<std::string> kRefused = {"delete KelvaroUpdate", "delete KelvaroUpdate.sig",
                                           kNotSigned};

std::vector<std::string> Deleted(std::vector<std::string> before) {
    before.insert(before.end(), kBothDeleted.begin(), kBothDeleted.end());
    return before;
}

TEST_F(UpdateCheckRun, NothingNewSaysSoOnlyWhenAskedByTheUser) {
    EXPECT_EQ(Run(true), Fetched(Deleted({"box Kelvaro: Keine Updates verf\xFCgbar"})));
    EXPECT_EQ(Run(false), Fetched(kBothDeleted));
    // More definitions loaded than announced is nothing new either.
    loaded = 30;
    EXPECT_EQ(Run(true), Fetched(Deleted({"box Kelvaro: Keine Updates verf\xFCgbar"})));
}

TEST_F(UpdateCheckRun, WithoutTheSocketLayerEveryCheckReportsItAndTransfersNothing) {
    services.networkStarted = false;
    EXPECT_THAT(Run(false), ElementsAre("box Fehler: Kein Internetzugriff f\xFCr Update"));
    EXPECT_THAT(Run(true), ElementsAre("box Fehler: Kein Internetzugriff f\xFCr Update"));
}

TEST_F(UpdateCheckRun, AnInformationFileThatDidNotArriveIsReportedAndNothingElseHappens) {
    infoDownload = 0;
    EXPECT_THAT(
        Run(false),
        ElementsAre(kInfoDownload,
                    "box Fehler: Updateinformationen konnten nicht heruntergeladen werden"));
    infoDownload = 9;
    infoReadable = false;
    EXPECT_THAT(Run(true), ElementsAre(kInfoDownload, "read KelvaroUpdate"));
}

TEST_F(UpdateCheckRun, AcceptedProgramUpdateStartsTheUpdaterAndEndsEvenWhenTheStartFails) {
    infoBytes = "25\r\n1.6\r\n";
    manifestBytes = test::vectors::kManifest16With25;
    answers = {true};
    // The updater fetches the manifest again itself; both files are left as they are.
    const std::vector<std::string> expected =
        Fetched({kProgramQuestion, "start C:\\K\\KelvaroUpdate.exe [Kelvaro(x64).exe] in []", "end"});
    EXPECT_EQ(Run(true), expected);
    answers = {true};
    startResult = 0;
    EXPECT_EQ(Run(false), expected);
}

TEST_F(UpdateCheckRun, DeclinedProgramUpdateGoesOnWithTheDefinitionsAndNeverSaysNothingNew) {
    infoBytes = "25\r\n1.6\r\n";
    manifestBytes = test::vectors::kManifest16With25;
    answers = {false, true};
    EXPECT_EQ(Run(true),
              Fetched(Deleted({kProgramQuestion, kFiveNew, kDefinitionsDownload, "reload"})));
    infoBytes = "20\r\n1.6\r\n";
    manifestBytes = test::vectors::kManifest16With20;
    answers = {false};
    EXPECT_EQ(Run(true), Fetched(Deleted({kProgramQuestion})));
}

TEST_F(UpdateCheckRun, NewDefinitionsAreLoadedOnlyWhenAcceptedAndAsTheManifestDescribesThem) {
    infoBytes = "25\r\n1.5\r\n";
    manifestBytes = test::vectors::kManifest16With25;
    manifestBytes.replace(manifestBytes.find("version 1.6"), 11, "version 1.5");
    // A changed version line no longer matches its signature.
    EXPECT_EQ(Run(false), Fetched(kRefused));

    infoBytes = "25\r\n1.6\r\n";
    manifestBytes = test::vectors::kManifest16With25;
    answers = {false, true};
    EXPECT_EQ(Run(false),
              Fetched(Deleted({kProgramQuestion, kFiveNew, kDefinitionsDownload, "reload"})));
    ASSERT_TRUE(expectation.has_value());
    EXPECT_EQ(expectation->size,
              static_cast<int32_t>(std::string(test::vectors::kDefinitions25).size()));
    EXPECT_EQ(expectation->sha256, signing::Sha256Of(test::vectors::kDefinitions25).value());

    answers = {false, false};
    EXPECT_EQ(Run(true), Fetched(Deleted({kProgramQuestion, kFiveNew})));
    // A body that is not the announced one counts as not downloaded.
    answers = {false, true};
    definitionsDownload = 0;
    EXPECT_EQ(Run(true),
              Fetched(Deleted({kProgramQuestion, kFiveNew, kDefinitionsDownload,
                               "box Fehler: Update konnte nicht heruntergeladen werden"})));
}

// A larger count in a validly signed manifest of an older release than the running one is
// a replayed set, not an update: it is not offered. The present release's set is.
TEST_F(UpdateCheckRun, DefinitionsAreOfferedOnlyFromTheRunningReleaseOrALaterOne) {
    loaded = 15;
    const std::string kFromFifteen = "ask Es sind 5 neue Definitionen verf\xFCgbar.";
    struct Case {
        const char* running;
        const char* info;
        const char* manifest;
        bool offered;
    };
    const Case cases[] = {
        {"1.5", "20\r\n1.5\r\n", test::vectors::kManifest15With20, true},
        {"1.6", "20\r\n1.5\r\n", test::vectors::kManifest15With20, false},
        {"1.5", "20\r\n1.4\r\n", test::vectors::kManifest14With20, false},
    };
    for (const Case& c : cases) {
        services.runningVersion = c.running;
        infoBytes = c.info;
        manifestBytes = c.manifest;
        answers = {false};
        EXPECT_EQ(Run(true),
                  Fetched(Deleted({c.offered ? kFromFifteen
                                             : "box Kelvaro: Keine Updates verf\xFCgbar"})))
            << c.running << " / " << c.info;
    }
}

// Whatever is wrong with the manifest, the check says so in either mode, removes both
// files, and asks nothing.
TEST_F(UpdateCheckRun, WithoutAManifestThatVouchesForTheInformationNothingIsOffered) {
    infoBytes = "25\r\n1.6\r\n";
    manifestDownload = 0;
    const std::vector<std::string> missing = {kInfoDownload,     "read KelvaroUpdate",
                                              kManifestDownload, kRefused[0],
                                              kRefused[1],       kRefused[2]};
    EXPECT_EQ(Run(true), missing);
    EXPECT_EQ(Run(false), missing);
    manifestDownload = 700;

    const std::string good = test::vectors::kManifest16With25;
    std::string tooLong = good;
    tooLong.insert(tooLong.find("signature"), signing::kManifestMaxBytes, 'x');
    const std::vector<std::string> wrong = {
        std::string(), good.substr(0, good.size() - 1), tooLong,
        std::string(test::vectors::kManifest16With25OtherKey),
        good.substr(0, good.size() - 3) + (good[good.size() - 3] == '0' ? "1" : "0") + "\r\n"};
    for (size_t i = 0; i < wrong.size(); ++i) {
        manifestBytes = wrong[i];
        EXPECT_EQ(Run(false), Fetched(kRefused)) << "manifest " << i;
    }
    manifestBytes = good;
    infoReadable = true;
    for (const char* info : {"25\r\n1.7\r\n", "26\r\n1.6\r\n", "24\r\n1.6\r\n", "25\r\n1.6.0\r\n",
                             "25\r\n 1.6\r\n", "25\r\n1.06\r\n", "25\r\n\r\n"}) {
        infoBytes = info;
        EXPECT_EQ(Run(true), Fetched(kRefused)) << info;
    }
    // The count as the number reader reads it, the version as written.
    for (const char* info : {"$19\r\n1.6", "+25 Definitionen\n1.6\n", "25\r1.6\r"}) {
        infoBytes = info;
        EXPECT_EQ(Run(false), Fetched(Deleted({kProgramQuestion, kFiveNew}))) << info;
    }
}

}  // namespace
}  // namespace kelvaro
