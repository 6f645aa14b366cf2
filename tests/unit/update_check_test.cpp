// The update check: the update information file, the version comparison, the question
// texts, and the check's steps against recorded services.
#include "update/update_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        services.download = [this](const std::string& url, const std::string& file) {
            log.push_back("download " + url + " -> " + file);
            const bool info = file == kUpdateInfoFileName;
            return info ? infoDownload : definitionsDownload;
        };
        services.readFileStart = [this](const std::string& file, std::string& bytes) {
            log.push_back("read " + file);
            bytes = infoBytes;
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
        RunUpdateCheck(manual, services);
        return log;
    }

    UpdateCheckServices services;
    std::vector<std::string> log;
    int32_t infoDownload = 9;
    int32_t definitionsDownload = 4000;
    bool infoReadable = true;
    std::string infoBytes = "20\r\n1.5\r\n";
    int32_t loaded = 20;
    std::vector<bool> answers;
    int startResult = 1;
};

const std::string kInfoDownload =
    "download http://127.0.0.1:1/Kelvaro/KelvaroUpdate -> KelvaroUpdate";
const std::string kDefinitionsDownload = "download http://127.0.0.1:1/Kelvaro/Kelvaro -> Kelvaro";
const std::string kProgramQuestion = "ask Es ein Update verf\xFCgbar. `1.6`";
const std::string kFiveNew = "ask Es sind 5 neue Definitionen verf\xFCgbar.";

TEST_F(UpdateCheckRun, NothingNewSaysSoOnlyWhenAskedByTheUser) {
    EXPECT_THAT(Run(true),
                ElementsAre(kInfoDownload, "read KelvaroUpdate",
                            "box Kelvaro: Keine Updates verf\xFCgbar", "delete KelvaroUpdate"));
    log.clear();
    EXPECT_THAT(Run(false),
                ElementsAre(kInfoDownload, "read KelvaroUpdate", "delete KelvaroUpdate"));
    // More definitions loaded than announced is nothing new either.
    log.clear();
    loaded = 30;
    infoBytes = "25\r\n1.5";
    EXPECT_THAT(Run(true),
                ElementsAre(kInfoDownload, "read KelvaroUpdate",
                            "box Kelvaro: Keine Updates verf\xFCgbar", "delete KelvaroUpdate"));
}

TEST_F(UpdateCheckRun, WithoutTheSocketLayerEveryCheckReportsItAndTransfersNothing) {
    services.networkStarted = false;
    EXPECT_THAT(Run(false), ElementsAre("box Fehler: Kein Internetzugriff f\xFCr Update"));
    log.clear();
    EXPECT_THAT(Run(true), ElementsAre("box Fehler: Kein Internetzugriff f\xFCr Update"));
}

TEST_F(UpdateCheckRun, AnInformationFileThatDidNotArriveIsReportedAndNothingElseHappens) {
    infoDownload = 0;
    EXPECT_THAT(
        Run(false),
        ElementsAre(kInfoDownload,
                    "box Fehler: Updateinformationen konnten nicht heruntergeladen werden"));
    log.clear();
    infoDownload = 9;
    infoReadable = false;
    EXPECT_THAT(Run(true), ElementsAre(kInfoDownload, "read KelvaroUpdate"));
}

TEST_F(UpdateCheckRun, AcceptedProgramUpdateStartsTheUpdaterAndEndsEvenWhenTheStartFails) {
    infoBytes = "25\r\n1.6\r\n";
    answers = {true};
    const std::vector<std::string> expected = {
        kInfoDownload, "read KelvaroUpdate", kProgramQuestion,
        "start KelvaroUpdate.exe [Kelvaro(x64).exe] in []", "end"};
    EXPECT_EQ(Run(true), expected);
    log.clear();
    answers = {true};
    startResult = 0;
    EXPECT_EQ(Run(false), expected);
}

TEST_F(UpdateCheckRun, DeclinedProgramUpdateGoesOnWithTheDefinitionsAndNeverSaysNothingNew) {
    infoBytes = "25\r\n1.6\r\n";
    answers = {false, true};
    EXPECT_THAT(Run(true),
                ElementsAre(kInfoDownload, "read KelvaroUpdate", kProgramQuestion, kFiveNew,
                            kDefinitionsDownload, "reload", "delete KelvaroUpdate"));
    log.clear();
    infoBytes = "20\r\n1.6\r\n";
    answers = {false};
    EXPECT_THAT(Run(true), ElementsAre(kInfoDownload, "read KelvaroUpdate", kProgramQuestion,
                                       "delete KelvaroUpdate"));
}

TEST_F(UpdateCheckRun, NewDefinitionsAreLoadedOnlyWhenAcceptedAndComplete) {
    infoBytes = "25\r\n1.5\r\n";
    answers = {true};
    EXPECT_THAT(Run(false), ElementsAre(kInfoDownload, "read KelvaroUpdate", kFiveNew,
                                        kDefinitionsDownload, "reload", "delete KelvaroUpdate"));
    log.clear();
    answers = {false};
    EXPECT_THAT(Run(true),
                ElementsAre(kInfoDownload, "read KelvaroUpdate", kFiveNew, "delete KelvaroUpdate"));
    log.clear();
    answers = {true};
    definitionsDownload = 0;
    EXPECT_THAT(Run(true),
                ElementsAre(kInfoDownload, "read KelvaroUpdate", kFiveNew, kDefinitionsDownload,
                            "box Fehler: Update konnte nicht heruntergeladen werden",
                            "delete KelvaroUpdate"));
}

}  // namespace
}  // namespace kelvaro
