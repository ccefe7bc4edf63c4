#include "controls/l_modeless_message_box.h"

#include "controls/l_perlin_msg_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Windows as records: the test presses their buttons and keys through the sink.
class FakeBoxService final : public ModelessBoxService
{
  public:
    struct Box final : ModelessBoxWindow
    {
        FakeBoxService* service;
        ModelessBoxSpec spec;
        ModelessBoxSink* sink;
        bool alive = true;
        void DestroyBox() override
        {
            alive = false;
            if (sink != nullptr)
                sink->OnBoxWindowGone();
            sink = nullptr;
        }
        bool EnableOwner(bool enable) override
        {
            service->ownerEnabled = enable;
            return true;
        }
    };

    ModelessBoxWindow* Create(const ModelessBoxSpec& spec, ModelessBoxSink& sink) override
    {
        if (refuse)
            return nullptr;
        boxes.push_back(std::make_unique<Box>());
        Box& box = *boxes.back();
        box.service = this;
        box.spec = spec;
        box.sink = &sink;
        return &box;
    }
    bool PumpMessages(bool allWindows) override
    {
        ++pumps;
        lastAll = allWindows;
        if (pressDuringPump >= -1 && !boxes.empty() && boxes.back()->alive) {
            const int32_t press = pressDuringPump;
            pressDuringPump = -2;
            boxes.back()->sink->OnBoxButton(press);
        }
        return !quitting;
    }

    Box& Last() { return *boxes.back(); }

    std::vector<std::unique_ptr<Box>> boxes;
    bool refuse = false;
    bool quitting = false;
    bool ownerEnabled = true;
    int pumps = 0;
    bool lastAll = false;
    int32_t pressDuringPump = -2;
};

class ModelessMessageBox : public testing::Test
{
  protected:
    FakeBoxService service;
    ScopedModelessBoxService scope{service};
};

} // namespace

TEST_F(ModelessMessageBox, ButtonSetsTheResultClosesAndEnablesTheOwner)
{
    LModelessMessageBox box;
    ASSERT_TRUE(box.Show("Title", "Text", "Yes", "No", "", 0));
    EXPECT_EQ(box.GetResult(), -1);
    EXPECT_FALSE(service.Last().spec.closeBox);
    box.EnableOwner(false);
    EXPECT_FALSE(service.ownerEnabled);
    service.Last().sink->OnBoxButton(1);
    EXPECT_EQ(box.GetResult(), 1);
    EXPECT_FALSE(box.HasWindow());
    EXPECT_FALSE(service.Last().alive);
    EXPECT_TRUE(service.ownerEnabled);
}

TEST_F(ModelessMessageBox, EscapeWithoutACancelButtonDoesNothing)
{
    LModelessMessageBox box;
    ASSERT_TRUE(box.Show("Title", "Text", "Yes", "No", "", 0));
    service.Last().sink->OnBoxButton(-1);
    EXPECT_TRUE(box.HasWindow());
    EXPECT_EQ(box.GetResult(), -1);
}

TEST_F(ModelessMessageBox, EscapePressesTheCancelButton)
{
    LModelessMessageBox box;
    ASSERT_TRUE(box.Show("Title", "Text", "&Abort", "", "", 32515));
    EXPECT_TRUE(service.Last().spec.closeBox);
    EXPECT_EQ(service.Last().spec.layout.buttonCount, 1);
    service.Last().sink->OnBoxButton(-1);
    EXPECT_EQ(box.GetResult(), 0);
    EXPECT_FALSE(box.HasWindow());
}

TEST_F(ModelessMessageBox, SecondShowRefusedAndAShowAgainAnswersAnew)
{
    LModelessMessageBox box;
    ASSERT_TRUE(box.Show("Title", "Text", "OK", "", "", 0));
    EXPECT_FALSE(box.Show("Other", "Other", "OK", "", "", 0));
    EXPECT_EQ(service.boxes.size(), 1u);
    service.Last().sink->OnBoxButton(0);
    EXPECT_EQ(box.GetResult(), 0);
    ASSERT_TRUE(box.Show("Title", "Text", "OK", "", "", 0));
    EXPECT_EQ(box.GetResult(), -1);
}

TEST_F(ModelessMessageBox, GapsAndFailedWindowsShowNothing)
{
    LModelessMessageBox box;
    EXPECT_FALSE(box.Show("Title", "Text", "", "No", "", 0));
    EXPECT_TRUE(service.boxes.empty());
    service.refuse = true;
    EXPECT_FALSE(box.Show("Title", "Text", "OK", "", "", 0));
    EXPECT_TRUE(box.PumpMessages(true)); // nothing to pump
    EXPECT_EQ(service.pumps, 0);
}

TEST_F(ModelessMessageBox, DestroyingTheObjectClosesTheWindowAndEnablesTheOwner)
{
    {
        LModelessMessageBox box;
        ASSERT_TRUE(box.Show("Title", "Text", "OK", "", "", 0));
        box.EnableOwner(false);
    }
    EXPECT_FALSE(service.Last().alive);
    EXPECT_TRUE(service.ownerEnabled);
}

TEST_F(ModelessMessageBox, ProgressBoxStopsOnAbortOrQuit)
{
    LPerlinMsgBox box;
    ASSERT_TRUE(box.ShowProgress());
    EXPECT_EQ(service.Last().spec.title, "Beam Vista");
    EXPECT_EQ(service.Last().spec.text, "Creating Fog data, please wait...");
    EXPECT_EQ(service.Last().spec.labels[0], "&Abort");
    EXPECT_EQ(service.Last().spec.iconId, 32515);
    EXPECT_FALSE(service.ownerEnabled);
    EXPECT_FALSE(box.Abort());
    EXPECT_TRUE(service.lastAll);
    service.pressDuringPump = 0;
    EXPECT_TRUE(box.Abort());
    EXPECT_TRUE(service.ownerEnabled);

    LPerlinMsgBox quitting;
    ASSERT_TRUE(quitting.ShowProgress());
    service.quitting = true;
    EXPECT_TRUE(quitting.Abort());
}

TEST(PerlinMsgBox, WithoutAToolkitTheComputationRunsOn)
{
    LPerlinMsgBox box;
    EXPECT_FALSE(box.ShowProgress());
    EXPECT_FALSE(box.Abort());
}
