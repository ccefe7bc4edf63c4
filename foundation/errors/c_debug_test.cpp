#include "foundation/errors/c_debug.h"

#include "platform/test_support/message_box_fake.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const std::string kFail = "  --------------------------- FAIL ---------------------------\n";

std::string Report(const char* file, int32_t line, const char* cause, const char* detail1,
                   const char* detail2)
{
    return "\n" + kFail + "  File:  " + file + "\n  line:  " + std::to_string(line) +
           "\n\n  Cause: " + cause + " (" + detail1 + detail2 + ")\n" + kFail;
}

std::string ReadAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

class CDebugTest : public testing::Test
{
  protected:
    CDebugTest()
        : input_(std::tmpfile()), output_(std::tmpfile()), debugger_(std::tmpfile()),
          reporter_(input_, output_, debugger_)
    {
    }
    ~CDebugTest() override
    {
        std::fclose(input_);
        std::fclose(output_);
        std::fclose(debugger_);
    }

    void Type(const char* keys)
    {
        std::fputs(keys, input_);
        std::rewind(input_);
    }

    std::FILE* input_;
    std::FILE* output_;
    std::FILE* debugger_;
    LDebugReporter reporter_;
    FakeMessageBox box_;
};

TEST_F(CDebugTest, DisabledSiteSaysNothing)
{
    int16_t site = 1;
    EXPECT_FALSE(reporter_.Report(site, "a.cpp", 1, "c", "d", "e"));
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ReadAll(output_), "");
}

TEST_F(CDebugTest, MessageBoxAsksWhetherToGoOnReporting)
{
    int16_t site = 0;
    box_.answers = {MessageBoxAnswer::Yes};
    EXPECT_FALSE(reporter_.Report(site, "src\\heap.cpp", 120, "Bad block", "size ", "12"));
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(
        box_.shown[0].text,
        "  File:  src\\heap.cpp\r  Line:  120\r\r  Cause: Bad block (size 12)\r\rContinue to report cDEBUG?");
    EXPECT_EQ(box_.shown[0].title, "System Failure!");
    EXPECT_EQ(box_.shown[0].icon, MessageBoxIcon::Error);
    EXPECT_EQ(box_.shown[0].buttons, MessageBoxButtons::YesNoCancel);
    EXPECT_EQ(site, 0);
    EXPECT_FALSE(reporter_.Report(site, nullptr, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(box_.shown[1].text, "  File:  \r  Line:  0\r\r  Cause:  ()\r\rContinue to report cDEBUG?");
}

TEST_F(CDebugTest, OnlyALeadingDotBackslashIsDropped)
{
    struct Case
    {
        const char* file;
        const char* shown;
    };
    for (const Case& c : {Case{".\\heap.cpp", "heap.cpp"}, Case{"..\\heap.cpp", "..\\heap.cpp"},
                          Case{"./heap.cpp", "./heap.cpp"}, Case{"x.\\heap.cpp", "x.\\heap.cpp"}}) {
        int16_t site = 0;
        box_.shown.clear();
        reporter_.Report(site, c.file, 1, "c", "", "");
        ASSERT_EQ(box_.shown.size(), 1u);
        EXPECT_EQ(box_.shown[0].text.substr(0, box_.shown[0].text.find('\r')),
                  std::string("  File:  ") + c.shown);
    }
}

TEST_F(CDebugTest, LongTextIsCutAt255Characters)
{
    int16_t site = 0;
    const std::string detail(400, 'x');
    reporter_.Report(site, "a.cpp", 1, "c", detail.c_str(), "");
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text.size(), 255u);
}

TEST_F(CDebugTest, NoThenYesSwitchesEverySiteToPrintedOutput)
{
    int16_t site = 0;
    int16_t otherSite = 0;
    box_.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
    EXPECT_FALSE(reporter_.Report(site, "a.cpp", 7, "first", "", ""));
    ASSERT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(box_.shown[1].text, "Report to c:\\tmp\\printff.log?");
    EXPECT_EQ(box_.shown[1].title, "cDEBUG()");
    EXPECT_EQ(box_.shown[1].icon, MessageBoxIcon::Question);
    EXPECT_EQ(box_.shown[1].buttons, MessageBoxButtons::YesNo);
    EXPECT_TRUE(reporter_.printedMode);
    EXPECT_TRUE(reporter_.fileMode);
    EXPECT_EQ(site, 0);

    EXPECT_FALSE(reporter_.Report(otherSite, ".\\b.cpp", 9, "second", "d1", "d2"));
    EXPECT_FALSE(reporter_.Report(site, "a.cpp", 7, "third", "", ""));
    EXPECT_EQ(box_.shown.size(), 2u);
    EXPECT_EQ(ReadAll(output_),
              Report("b.cpp", 9, "second", "d1", "d2") + Report("a.cpp", 7, "third", "", ""));
}

TEST_F(CDebugTest, NoThenNoDisablesTheSite)
{
    int16_t site = 0;
    box_.answers = {MessageBoxAnswer::No, MessageBoxAnswer::No};
    reporter_.Report(site, "a.cpp", 7, "first", "", "");
    EXPECT_NE(site, 0);
    EXPECT_FALSE(reporter_.printedMode);
    reporter_.Report(site, "a.cpp", 7, "again", "", "");
    EXPECT_EQ(box_.shown.size(), 2u);
}

TEST_F(CDebugTest, CancelEndsTheProcessAtOnce)
{
    int16_t site = 0;
    box_.answers = {MessageBoxAnswer::Cancel};
    EXPECT_EXIT(reporter_.Report(site, "a.cpp", 1, "c", "", ""), testing::ExitedWithCode(20), "");
}

TEST_F(CDebugTest, ConsoleMenuInPrintedMode)
{
    struct Case
    {
        const char* keys;
        bool disabled;
        bool debugger;
        bool file;
    };
    const Case cases[] = {
        {"xyc", false, false, false}, {"C", false, false, false}, {"d", true, false, false},
        {"D", true, false, false},    {"b", false, true, false},  {"B", false, true, false},
        {"f", false, false, true},    {"F", false, false, true},  {"", false, false, false}, // end of input
    };
    for (const Case& c : cases) {
        std::FILE* input = std::tmpfile();
        std::FILE* output = std::tmpfile();
        std::fputs(c.keys, input);
        std::rewind(input);
        LDebugReporter reporter(input, output, debugger_);
        reporter.printedMode = true;
        int16_t site = 0;
        EXPECT_FALSE(reporter.Report(site, "a.cpp", 3, "c", "1", "2"));
        EXPECT_EQ(site != 0, c.disabled) << c.keys;
        EXPECT_EQ(reporter.debuggerOutput, c.debugger) << c.keys;
        EXPECT_EQ(reporter.fileMode, c.file) << c.keys;
        EXPECT_EQ(ReadAll(output),
                  Report("a.cpp", 3, "c", "1", "2") + "  (C)continue, (D)isable, De(B)ug, (F)ile, (E)xit?\r");
        std::fclose(input);
        std::fclose(output);
    }
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(CDebugTest, ConsoleExitKeysEndTheProcessAtOnce)
{
    for (const char* keys : {"e", "E", "\x1b"}) {
        Type(keys);
        reporter_.printedMode = true;
        int16_t site = 0;
        EXPECT_EXIT(reporter_.Report(site, "a.cpp", 1, "c", "", ""), testing::ExitedWithCode(20), "") << keys;
    }
}

TEST_F(CDebugTest, DebuggerOutputGetsTheLinesWithoutQuestions)
{
    reporter_.debuggerOutput = true;
    reporter_.printedMode = true;
    int16_t site = 0;
    EXPECT_FALSE(reporter_.Report(site, "a.cpp", 5, "c", "x", ""));
    EXPECT_EQ(ReadAll(debugger_), Report("a.cpp", 5, "c", "x", ""));
    EXPECT_EQ(ReadAll(output_), "");
    EXPECT_TRUE(box_.shown.empty());
}

TEST(CDebugFailT, ReportsThroughTheProcessReporter)
{
    FakeMessageBox box;
    box.answers = {MessageBoxAnswer::Yes};
    EXPECT_FALSE(cDEBUGFailT(".\\hmem.cpp", 42, "defrag_hmem_cond (): bottomup not implemented!"));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text,
              "  File:  hmem.cpp\r  Line:  42\r\r  Cause: FailT (defrag_hmem_cond (): bottomup not "
              "implemented!)\r\rContinue to report cDEBUG?");
}

} // namespace
