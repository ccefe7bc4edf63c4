#include "foundation/tasks/gui_thread.h"

#include "platform/test_support/message_box_fake.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

void GuiOnlyOperation()
{
    ZYL_GUI_THREAD_ONLY("GuiOnlyOperation");
}

TEST(GuiThread, IsTheMainThreadOnly)
{
    EXPECT_TRUE(IsGuiThread());
    bool elsewhere = true;
    std::thread([&] { elsewhere = IsGuiThread(); }).join();
    EXPECT_FALSE(elsewhere);
}

TEST(GuiThread, AnOperationRunElsewhereIsReportedByName)
{
    FakeMessageBox box;
    GuiOnlyOperation();
    EXPECT_TRUE(box.shown.empty()) << "on the GUI thread nothing is reported";

    std::thread(GuiOnlyOperation).join();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_NE(box.shown[0].text.find("GuiOnlyOperation"), std::string::npos) << box.shown[0].text;
    EXPECT_NE(box.shown[0].text.find("gui_thread_test.cpp"), std::string::npos) << "the report names the call site";
}

} // namespace
