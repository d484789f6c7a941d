#include "register/settings.h"

#include <gtest/gtest.h>

#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "test_support.h"

namespace fenmark::reg {
namespace {

struct SettingsCase {
    const char* name;
    const char* text;
    const char* month;
};

class SettingsParseTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsParseTest, ClosingMonth) {
    EXPECT_EQ(parseSettings(GetParam().text).closingMonth, GetParam().month);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsParseTest,
    ::testing::Values(SettingsCase{"march", "\"a\",\"b\",\"c\",\"3\"\r\n", "3"},
                      SettingsCase{"december", "\"\",\"\",\"\",\"12\"\r\n", "12"},
                      SettingsCase{"leadingZero", "\"\",\"\",\"\",\"03\"\r\n", "3"},
                      SettingsCase{"empty", "", "12"},
                      SettingsCase{"threeFields", "\"a\",\"b\",\"3\"\r\n", "12"},
                      SettingsCase{"fiveFields", "\"a\",\"b\",\"c\",\"3\",\"x\"\r\n", "12"},
                      SettingsCase{"zero", "\"\",\"\",\"\",\"0\"\r\n", "12"},
                      SettingsCase{"thirteen", "\"\",\"\",\"\",\"13\"\r\n", "12"},
                      SettingsCase{"fraction", "\"\",\"\",\"\",\"3.5\"\r\n", "12"},
                      SettingsCase{"text", "\"\",\"\",\"\",\"三月\"\r\n", "12"},
                      SettingsCase{"openQuote", "\"\",\"\",\"\",\"3", "12"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(Settings, ReservedFieldsComeBackAsRead) {
    const Settings s = parseSettings("\"x,y\",\" b \",\"\",\"6\"\r\n");
    EXPECT_EQ(s.reserved[0], "x,y");
    EXPECT_EQ(s.reserved[1], " b ");
    EXPECT_EQ(s.reserved[2], "");
    EXPECT_EQ(s.closingMonth, "6");
    test::TempDir dir;
    saveSettings(dir.file(kSettingsFileName), s);
    EXPECT_EQ(test::readBytes(dir.file(kSettingsFileName)), "\"x,y\",\" b \",\"\",\"6\"\r\n");
}

TEST(Settings, NoFileOrUnreadableFileGivesDecember) {
    test::TempDir program;
    test::TempDir user;
    EXPECT_EQ(loadSettings(program.path(), user.path()).closingMonth, "12");
    test::writeBytes(program.file(kSettingsFileName), "\"\",\"\",\"\",\"\x81\"\r\n");
    EXPECT_EQ(loadSettings(program.path(), user.path()).closingMonth, "12");
}

TEST(Settings, UserFolderIsReadFirstAndUsedWhenTheProgramFolderIsReadOnly) {
    test::TempDir program;
    test::TempDir user;
    test::writeBytes(program.file(kSettingsFileName), "\"\",\"\",\"\",\"3\"\r\n");
    EXPECT_EQ(loadSettings(program.path(), user.path()).closingMonth, "3");
    test::writeBytes(user.file(kSettingsFileName), "\"\",\"\",\"\",\"9\"\r\n");
    EXPECT_EQ(loadSettings(program.path(), user.path()).closingMonth, "9");
    EXPECT_EQ(loadSettings(program.path(), "").closingMonth, "3");
    // The user's file is the one read, so it is the one written.
    EXPECT_EQ(settingsWritePath(program.path(), user.path()), user.file(kSettingsFileName));
    test::TempDir emptyUser;
    EXPECT_EQ(settingsWritePath(program.path(), emptyUser.path()), program.file(kSettingsFileName));
    EXPECT_EQ(settingsWritePath("/proc", emptyUser.path()), emptyUser.file(kSettingsFileName));
}

TEST(Settings, ApplyTakesTheMonthAndTheReservedFields) {
    ProgramState state;
    Settings s;
    s.reserved = {"a", "b", "c"};
    s.closingMonth = "3";
    applySettings(state, s);
    EXPECT_EQ(state.closingMonth, "3");
    EXPECT_EQ(state.reservedSettings[1], "b");
}

}  // namespace
}  // namespace fenmark::reg

namespace fenmark::reg {
namespace {

TEST(Settings, AnInstalledProgramKeepsItsSettingsWithTheUserEvenAsRoot) {
    test::TempDir user;
    EXPECT_EQ(settingsWritePath("/usr/bin", user.path()), user.file(kSettingsFileName));
    EXPECT_EQ(settingsWritePath("/usr/local/bin", user.path()), user.file(kSettingsFileName));
    EXPECT_TRUE(platform::isSystemFolder("/usr"));
    EXPECT_FALSE(platform::isSystemFolder("/usrdata/fenmark"));
    EXPECT_FALSE(platform::isSystemFolder("/home/taro/fenmark"));
    EXPECT_EQ(platform::dialogStartFolder("/home/taro/fenmark"), "/home/taro/fenmark");
}

}  // namespace
}  // namespace fenmark::reg
