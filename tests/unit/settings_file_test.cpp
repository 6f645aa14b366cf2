// Reading and saving the settings file "Kelvaro.ini" in the working folder: the defaults,
// the missing file, the order of the keys and what a save sets off.
#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "ini/ini.h"
#include "inventory/kill_list.h"
#include "support/temp_dir.h"

namespace kelvaro {

// Found by argument-dependent lookup, so outside the unnamed namespace.
bool operator==(const Settings& a, const Settings& b) {
    return a.Autostart == b.Autostart && a.StartMinimised == b.StartMinimised &&
           a.CheckForUpdates == b.CheckForUpdates && a.AutoRefresh == b.AutoRefresh &&
           a.Timeout == b.Timeout;
}
void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{Autostart " << s.Autostart << ", StartMinimised " << s.StartMinimised
         << ", CheckForUpdates " << s.CheckForUpdates << ", AutoRefresh " << s.AutoRefresh
         << ", Timeout " << s.Timeout << "}";
}

namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// The settings file is opened by its bare name, so each test works in a folder of its own
// with the program's record and kill list as a fresh start has them.
class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest() {
        ProgramSettings() = Settings{};
        ProgramKillList().clear();
    }
    ~SettingsFileTest() override {
        IniClose();
        ProgramSettings() = Settings{};
        ProgramKillList().clear();
    }

    std::string File() const { return folder_.File(kSettingsFileName); }

    test::TempDir folder_;
    test::WorkingDirectory inFolder_{folder_.path()};
};

TEST_F(SettingsFileTest, GroupLineAloneGivesTheDefaultsOfEveryKey) {
    WriteBytes(File(), "[Einstellungen]\r\n");
    ASSERT_TRUE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings(), (Settings{0, 0, 1, 1, 5}));
    // A file without the group at all reads the same.
    WriteBytes(File(), "[Prozesse zum Beenden]\r\n0 = a.exe\r\n");
    ProgramSettings() = Settings{};
    ASSERT_TRUE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings(), (Settings{0, 0, 1, 1, 5}));
}

TEST_F(SettingsFileTest, ReadsEachKeyIntoItsOwnSetting) {
    WriteBytes(File(),
               "[Einstellungen]\r\ntimeout = 10 Sekunden\r\nAutoNachUpdatesSuchen=0\r\n"
               "Minimiert Starten=3\r\nAutoAktualisieren = 4\r\nAutostart = 2\r\n");
    ASSERT_TRUE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings(), (Settings{.Autostart = 2,
                                           .StartMinimised = 3,
                                           .CheckForUpdates = 0,
                                           .AutoRefresh = 4,
                                           .Timeout = 10}));

    WriteBytes(File(), "[Einstellungen]\r\nTimeout = zehn\r\n");
    ASSERT_TRUE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings().Timeout, 0);
}

TEST_F(SettingsFileTest, MissingFileReadsNothingAndLeavesEverythingAsItWas) {
    ASSERT_FALSE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings(), (Settings{0, 0, 0, 0, 0}));
    EXPECT_TRUE(ProgramKillList().empty());

    // A later reading (the dialog opening) keeps what is in memory.
    ProgramSettings() = Settings{1, 1, 1, 1, 9};
    ProgramKillList().push_back({"a.exe"});
    ASSERT_FALSE(LoadSettingsFile());
    EXPECT_EQ(ProgramSettings(), (Settings{1, 1, 1, 1, 9}));
    ASSERT_EQ(ProgramKillList().size(), 1u);
    EXPECT_FALSE(fs::exists(File()));
}

struct EffectLog {
    std::optional<bool> autostart;
    std::vector<int32_t> timerRestarts;
    SettingsSaveEffects Effects() {
        return {[this](bool on) { autostart = on; },
                [this](int32_t timeout) { timerRestarts.push_back(timeout); }};
    }
};

TEST_F(SettingsFileTest, SaveWritesTheFiveKeysInTheirOrder) {
    WriteBytes(File(), "[Einstellungen]\r\n");
    EffectLog log;
    ASSERT_TRUE(SaveSettingsFile(Settings{1, 0, 1, 0, 30}, log.Effects()));
    EXPECT_EQ(ReadBytes(File()),
              "[Einstellungen]\r\nAutostart = 1\r\nMinimiert Starten = 0\r\n"
              "AutoAktualisieren = 0\r\nAutoNachUpdatesSuchen = 1\r\nTimeout = 30\r\n");
}

TEST_F(SettingsFileTest, SaveReplacesKeysInPlaceAndLeavesOtherGroupsAlone) {
    WriteBytes(File(),
               "; Kelvaro\r\n[Einstellungen]\r\nTimeout=7\r\nautostart=1\r\n"
               "[Prozesse zum Beenden]\r\n0=a.exe\r\n");
    EffectLog log;
    ASSERT_TRUE(SaveSettingsFile(Settings{0, 1, 0, 1, -3}, log.Effects()));
    EXPECT_EQ(ReadBytes(File()),
              "; Kelvaro\r\n[Einstellungen]\r\nTimeout = -3\r\nAutostart = 0\r\n"
              "Minimiert Starten = 1\r\nAutoAktualisieren = 1\r\nAutoNachUpdatesSuchen = 0\r\n"
              "[Prozesse zum Beenden]\r\n0 = a.exe\r\n");
}

TEST_F(SettingsFileTest, SaveTakesTheChoicesAndRestartsTheTimerOnlyForATimeoutAbove0) {
    WriteBytes(File(), "[Einstellungen]\r\n");
    for (const int32_t timeout : {30, 0, -5, 1}) {
        EffectLog log;
        const Settings chosen{timeout == 30 ? 1 : 0, 1, 0, 1, timeout};
        ASSERT_TRUE(SaveSettingsFile(chosen, log.Effects()));
        EXPECT_EQ(ProgramSettings(), chosen);
        EXPECT_EQ(log.autostart, std::optional<bool>(timeout == 30));
        if (timeout > 0) {
            EXPECT_EQ(log.timerRestarts, std::vector<int32_t>{timeout});
        } else {
            EXPECT_TRUE(log.timerRestarts.empty()) << timeout;
        }
    }
}

TEST_F(SettingsFileTest, SaveWithoutAFileCreatesNothingAndChangesNothing) {
    ProgramSettings() = Settings{0, 0, 1, 1, 5};
    EffectLog log;
    EXPECT_FALSE(SaveSettingsFile(Settings{1, 1, 0, 0, 30}, log.Effects()));
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(ProgramSettings(), (Settings{0, 0, 1, 1, 5}));
    EXPECT_FALSE(log.autostart.has_value());
    EXPECT_TRUE(log.timerRestarts.empty());
}

}  // namespace
}  // namespace kelvaro
