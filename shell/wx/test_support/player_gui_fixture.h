// PlayerGuiFixture: what every gui test of the player sets up around a case: a fresh temporary
// folder for the shows and files the case makes, and the player it starts there, which is stopped
// before the folder goes; and the player's menus, reached by the keyboard as a user reaches them.
#pragma once

#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

class PlayerGuiFixture : public testing::Test
{
  protected:
    // `session`: the display the fixture's cases share; `folderPrefix` names their folders.
    PlayerGuiFixture(XSession& session, std::string folderPrefix)
        : display_(session), folderPrefix_(std::move(folderPrefix))
    {
    }

    // What a case needs beyond the folder; runs only once the display and the folder are there.
    virtual void SetUpCase() {}

    void SetUp() final
    {
        ASSERT_TRUE(display_.Ok()) << display_.Error();
        std::string pattern = (std::filesystem::temp_directory_path() / (folderPrefix_ + "_XXXXXX")).string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        SetUpCase();
    }
    void TearDown() override
    {
        if (player_ > 0)
            display_.Stop(player_);
        if (folder_.empty())
            return;
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    // Chooses an item of the frame's menu bar by the keyboard: the skin has no menu bar, so the
    // first choice turns it with Ctrl+M into the ordinary window with one; F10 opens the menu bar,
    // `menu` steps right reach the menu, `item` steps down the item.
    void ChooseMenuItem(const std::string& frame, int menu, int item)
    {
        display_.Run("xdotool windowactivate --sync " + frame);
        if (!menuBarShown_) {
            display_.Run("xdotool key ctrl+m");
            // The ordinary window has no shape: its corner is part of it again.
            std::string corner;
            EXPECT_TRUE(XSession::PollUntil(
                [&] {
                    return display_.Run(std::string(ZYLSHOT) + " inshape 0 0 " + frame, &corner) == 0 &&
                           corner == "in\n";
                },
                std::chrono::seconds(10)));
            // The menu bar takes its place a moment after the window lost its shape.
            display_.Run("sleep 1");
            menuBarShown_ = true;
        }
        std::string keys = "F10";
        for (int i = 0; i < menu; ++i)
            keys += " Right";
        for (int i = 0; i < item; ++i)
            keys += " Down";
        display_.Run("xdotool key --delay 80 " + keys + " Return");
    }

    std::string folder_;
    pid_t player_ = -1;

  private:
    XSession& display_;
    std::string folderPrefix_;
    bool menuBarShown_ = false;
};
