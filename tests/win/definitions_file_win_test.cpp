// LoadDefinitions against real files: a missing file is created empty, an existing one
// is read whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "inventory/definitions.h"
#include "support/temp_dir.h"

namespace kelvaro {
namespace {

TEST(DefinitionsFileWin, MissingFileIsCreatedEmptyAndCountsZero) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.path());
    ClearDefinitions();
    LoadDefinitions();
    EXPECT_EQ(DefinitionsCount(), 0);
    const DWORD attributes = GetFileAttributesA(dir.File("Kelvaro").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    std::ifstream file(dir.File("Kelvaro"), std::ios::binary | std::ios::ate);
    EXPECT_EQ(file.tellg(), 0);
}

TEST(DefinitionsFileWin, LargeFileIsReadWholeAcrossBlocks) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 40000; ++i) {
        bytes += std::to_string(i % 5) + "\r\nproc" + std::to_string(i) +
                 ".exe\r\nEine Beschreibung mit etwas Text\xB5Zweite Zeile\xB5\r\n";
    }
    test::WriteBytes(dir.File("Kelvaro"), bytes);
    test::WorkingDirectory cwd(dir.path());
    ClearDefinitions();
    LoadDefinitions();
    EXPECT_EQ(DefinitionsCount(), 40000);
    ASSERT_NE(FindDefinition("PROC39999.EXE"), nullptr);
    EXPECT_EQ(FindDefinition("PROC39999.EXE")->Verdict, 4);
    ClearDefinitions();
}

}  // namespace
}  // namespace kelvaro
