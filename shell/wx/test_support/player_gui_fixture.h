// PlayerGuiFixture: what every gui test of the player sets up around a case: a fresh temporary
// folder for the shows and files the case makes, and the player it starts there, which is stopped
// before the folder goes.
#pragma once

#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/types.h>

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

    void SetUp() override
    {
        ASSERT_TRUE(display_.Ok()) << display_.Error();
        std::string pattern = (std::filesystem::temp_directory_path() / (folderPrefix_ + "_XXXXXX")).string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
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

    std::string folder_;
    pid_t player_ = -1;

  private:
    XSession& display_;
    std::string folderPrefix_;
};
