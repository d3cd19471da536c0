// The run-mode decision over whole command lines, as the system's screen-saver machinery and
// users write them.
#include "host/run_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Program = "C:\\WINDOWS\\tarnwick.scr";

RunChoice Choose(const std::string& arguments) { return ChooseRunMode((Program + " " + arguments).c_str()); }

void ExpectFullScreen(const std::string& arguments) {
    SCOPED_TRACE("arguments: [" + arguments + "]");
    const RunChoice choice = Choose(arguments);
    EXPECT_EQ(choice.mode, SaverMode::FullScreen);
    EXPECT_EQ(choice.parentWindow, 0u);
    EXPECT_FALSE(choice.endAtOnce);
}

void Expect(const std::string& arguments, SaverMode mode, uint32_t parent) {
    SCOPED_TRACE("arguments: [" + arguments + "]");
    const RunChoice choice = Choose(arguments);
    EXPECT_EQ(choice.mode, mode);
    EXPECT_EQ(choice.parentWindow, parent);
    EXPECT_FALSE(choice.endAtOnce);
}

void ExpectEndsAtOnce(const std::string& arguments, SaverMode mode) {
    SCOPED_TRACE("arguments: [" + arguments + "]");
    const RunChoice choice = Choose(arguments);
    EXPECT_EQ(choice.mode, mode);
    EXPECT_TRUE(choice.endAtOnce);
    EXPECT_EQ(choice.parentWindow, 0u);
}

TEST(RunModeTest, AnythingButAcpRunsFullScreen) {
    for (const char* arguments : {"", "/s", "/S", "-s", "s", "/x", "/1", "   ", "/", "-", "//p 5", "--c:5", "/-a 7",
                                  "/saver /p 5", "x /p 1234", "\xE9 7"}) {
        ExpectFullScreen(arguments);
    }
    EXPECT_EQ(ChooseRunMode(Program.c_str()).mode, SaverMode::FullScreen);
    EXPECT_EQ(ChooseRunMode("").mode, SaverMode::FullScreen);
    EXPECT_EQ(ChooseRunMode(nullptr).mode, SaverMode::FullScreen);
}

TEST(RunModeTest, PreviewReadsTheHandleFromTheNextWordOnly) {
    Expect("/p 1234", SaverMode::Preview, 1234);
    Expect("/P 1234", SaverMode::Preview, 1234);
    Expect("-p 1234", SaverMode::Preview, 1234);
    Expect("/p     1234", SaverMode::Preview, 1234);
    Expect("/p hwnd=77", SaverMode::Preview, 77);
    Expect("/p 99999999999", SaverMode::Preview, 2147483647u);
    Expect("/preview 42 13", SaverMode::Preview, 42);
    ExpectEndsAtOnce("/p:1234", SaverMode::Preview);
    ExpectEndsAtOnce("/p1234", SaverMode::Preview);
    ExpectEndsAtOnce("/p", SaverMode::Preview);
    ExpectEndsAtOnce("/p 0", SaverMode::Preview);
    ExpectEndsAtOnce("/p none", SaverMode::Preview);
    ExpectEndsAtOnce("/p -", SaverMode::Preview);
}

TEST(RunModeTest, ConfigureReadsTheHandleFromTheSwitchWordOnly) {
    Expect("/c:1234", SaverMode::Configure, 1234);
    Expect("/c1234", SaverMode::Configure, 1234);
    Expect("/C:1234", SaverMode::Configure, 1234);
    Expect("-c:1234 5", SaverMode::Configure, 1234);
    ExpectEndsAtOnce("/c", SaverMode::Configure);
    ExpectEndsAtOnce("/c 1234", SaverMode::Configure);
    ExpectEndsAtOnce("/c:0", SaverMode::Configure);
    ExpectEndsAtOnce("config", SaverMode::Configure);
}

TEST(RunModeTest, PasswordChangeReadsTheSwitchWordThenTheNext) {
    Expect("/a 1234", SaverMode::ChangePassword, 1234);
    Expect("/a:1234", SaverMode::ChangePassword, 1234);
    Expect("/A:1234 99", SaverMode::ChangePassword, 1234);
    Expect("/a:0 99", SaverMode::ChangePassword, 99);
    ExpectEndsAtOnce("/a", SaverMode::ChangePassword);
    ExpectEndsAtOnce("/a 0", SaverMode::ChangePassword);
    ExpectEndsAtOnce("/a x y", SaverMode::ChangePassword);
}

TEST(RunModeTest, QuotedProgramPathWithSpacesIsOneWord) {
    const RunChoice choice = ChooseRunMode("\"C:\\Program Files\\Tarnwick 4\\tarnwick.scr\" /p 99");
    EXPECT_EQ(choice.mode, SaverMode::Preview);
    EXPECT_EQ(choice.parentWindow, 99u);
    EXPECT_FALSE(choice.endAtOnce);
    EXPECT_EQ(ChooseRunMode("\"C:\\Program Files\\Tarnwick 4\\tarnwick.scr\" /c:5").mode, SaverMode::Configure);
}

TEST(RunModeTest, DecisionOverSplitWords) {
    // The split lines as the command-line reading delivers them.
    EXPECT_EQ(ChooseRunModeFromWords("", "").mode, SaverMode::FullScreen);
    const RunChoice preview = ChooseRunModeFromWords("p", "5");
    EXPECT_EQ(preview.mode, SaverMode::Preview);
    EXPECT_EQ(preview.parentWindow, 5u);
    EXPECT_TRUE(ChooseRunModeFromWords("p5", "").endAtOnce);
}

TEST(RunModeTest, LongAndOddCommandLinesNeverCrash) {
    std::string longLine = Program;
    for (int i = 0; i < 5000; ++i) longLine += " /p";
    EXPECT_EQ(ChooseRunMode(longLine.c_str()).mode, SaverMode::Preview);
    EXPECT_TRUE(ChooseRunMode(longLine.c_str()).endAtOnce);
    std::string digits = Program + " /c:" + std::string(100000, '9');
    EXPECT_EQ(ChooseRunMode(digits.c_str()).parentWindow, 2147483647u);
    // Control characters and an open quote: any decision will do, as long as it is one.
    for (const char* odd : {"\"unterminated /p 5", "\t\r\n", "x \r\np 5", "x /p \r\n\r\n", "x \"\" \"\" /c:1"}) {
        const RunChoice choice = ChooseRunMode(odd);
        if (choice.mode == SaverMode::FullScreen) {
            EXPECT_EQ(choice.parentWindow, 0u) << odd;
            EXPECT_FALSE(choice.endAtOnce) << odd;
        } else {
            EXPECT_EQ(choice.endAtOnce, choice.parentWindow == 0) << odd;
        }
    }
}

}  // namespace
