#include "platform/message_box.h"
#include "platform/test_support/message_box_fake.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string ReadAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(HeadlessMessageBox, WritesTitleAndLinesAndAnswersWithTheFirstButton)
{
    std::FILE* output = std::tmpfile();
    ASSERT_NE(output, nullptr);
    HeadlessMessageBox box(output);
    EXPECT_EQ(
        box.Show("one\rtwo\r\nthree\nfour", "Title", MessageBoxIcon::Error, MessageBoxButtons::YesNoCancel),
        MessageBoxAnswer::Yes);
    EXPECT_EQ(box.Show(nullptr, nullptr, MessageBoxIcon::None, MessageBoxButtons::Ok), MessageBoxAnswer::Ok);
    EXPECT_EQ(box.Show("q", "Q", MessageBoxIcon::Question, MessageBoxButtons::YesNo), MessageBoxAnswer::Yes);
    EXPECT_EQ(ReadAll(output), "[Title]\none\ntwo\nthree\nfour\n[]\n\n[Q]\nq\n");
    std::fclose(output);
}

TEST(MessageBoxService, FakeTakesThePlaceOfTheDefaultWhileItLives)
{
    MessageBoxService* headless = &CurrentMessageBoxService();
    {
        FakeMessageBox fake;
        fake.answers = {MessageBoxAnswer::No};
        EXPECT_EQ(&CurrentMessageBoxService(), &fake);
        EXPECT_EQ(
            CurrentMessageBoxService().Show("t", "T", MessageBoxIcon::Warning, MessageBoxButtons::YesNo),
            MessageBoxAnswer::No);
        EXPECT_EQ(CurrentMessageBoxService().Show("t", "T", MessageBoxIcon::Warning, MessageBoxButtons::Ok),
                  MessageBoxAnswer::Ok);
        ASSERT_EQ(fake.shown.size(), 2u);
        EXPECT_EQ(fake.shown[0].title, "T");
        EXPECT_EQ(fake.shown[0].icon, MessageBoxIcon::Warning);
    }
    EXPECT_EQ(&CurrentMessageBoxService(), headless);
}

} // namespace
