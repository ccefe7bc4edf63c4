#include "controls/l_file_dialog.h"

#include "foundation/files/test_support/temp_tree_fixture.h"
#include "platform/test_support/fake_ui_environment.h"
#include "platform/test_support/message_box_fake.h"

#include <gtest/gtest.h>

namespace {

class FileDialogTest : public TempTreeFixture
{
  protected:
    void Answer(std::vector<std::string> paths)
    {
        ui_.fileDialogAnswers.push_back(UiFileDialogResult{paths, 0});
    }

    FakeUiEnvironment ui_;
    FakeMessageBox boxes_;
};

TEST_F(FileDialogTest, SeveralChosenFilesComeBackWholeInTheChoosersOrder)
{
    LFileDialog dialog(true, "zyl", "", kOfnAllowMultiSelect | kOfnFileMustExist,
                       "Zyl Files|*.zyl|All Files (*.*)|*.*||", UiWindowId());
    Answer({"/shows/b.zyl", "/shows/a.zyl", "/other/c.zyl"});
    ASSERT_EQ(dialog.DoModal(), LFileDialog::kIdOk);
    std::vector<XAString> files{"stale"};
    ASSERT_TRUE(dialog.GetSelectedFiles(files));
    EXPECT_EQ(files, (std::vector<XAString>{"/shows/b.zyl", "/shows/a.zyl", "/other/c.zyl"}));
    ASSERT_EQ(ui_.fileDialogs.size(), 1u);
    const UiFileDialogRequest& request = ui_.fileDialogs[0];
    EXPECT_FALSE(request.save);
    EXPECT_TRUE(request.multiple);
    // The chooser matches case and skips dotless names for "*.*"; the patterns say otherwise.
    EXPECT_EQ(request.filter, "Zyl Files|*.[zZ][yY][lL]|All Files (*.*)|*");
}

TEST_F(FileDialogTest, PromptFileNameStartsInThePathsFolderAndKeepsThePathOnCancel)
{
    struct Case
    {
        const char* path;
        const char* folder;
        const char* fileName;
    };
    const Case cases[] = {
        {"/home/user/settings/fog.zyp", "/home/user/settings", "fog.zyp"},
        {"fog.zyp", "", "fog.zyp"},
        {"", "", ""},
        {"/fog.zyp", "/", "fog.zyp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ui_.fileDialogs.clear();
        XAString path = c.path;
        EXPECT_FALSE(PromptParameterFile(path, false, UiWindowId(), "Load"));
        EXPECT_EQ(path, c.path);
        ASSERT_EQ(ui_.fileDialogs.size(), 1u);
        EXPECT_EQ(ui_.fileDialogs[0].folder, c.folder);
        EXPECT_EQ(ui_.fileDialogs[0].fileName, c.fileName);
        EXPECT_EQ(ui_.fileDialogs[0].title, "Load");
        EXPECT_FALSE(ui_.fileDialogs[0].multiple);
        EXPECT_EQ(ui_.fileDialogs[0].filter, "Zyl Parameter Files |*.[zZ][yY][pP]|All Files (*.*)|*");
    }
}

TEST_F(FileDialogTest, ASaveNameGetsTheDefaultExtensionAndTheQuestionIsAboutThatName)
{
    MakeFile("fog.zyp");
    XAString path;
    // "fog" exists nowhere, "fog.zyp" does: the question names it; No brings the chooser back.
    Answer({Path("fog")});
    Answer({Path("fog")});
    boxes_.answers = {MessageBoxAnswer::No, MessageBoxAnswer::Yes};
    ASSERT_TRUE(PromptParameterFile(path, true, UiWindowId(), nullptr));
    EXPECT_EQ(path, Path("fog.zyp").c_str());
    ASSERT_EQ(boxes_.shown.size(), 2u);
    EXPECT_EQ(boxes_.shown[0].text, Path("fog.zyp") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes_.shown[0].buttons, MessageBoxButtons::YesNo);
    ASSERT_EQ(ui_.fileDialogs.size(), 2u);
    EXPECT_TRUE(ui_.fileDialogs[0].save);
    EXPECT_EQ(ui_.fileDialogs[1].fileName, "fog.zyp") << "the chooser comes back with the name";

    // A new name is taken without a question; a name with an extension keeps it.
    boxes_.shown.clear();
    Answer({Path("new.txt")});
    ASSERT_TRUE(PromptParameterFile(path, true, UiWindowId(), nullptr));
    EXPECT_EQ(path, Path("new.txt").c_str());
    EXPECT_TRUE(boxes_.shown.empty());
}

} // namespace
