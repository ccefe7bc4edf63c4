// Parameter files, resets, a show's own settings and background pictures on the real preview
// with its parameters, in the fake window system, against files in a folder of the test's own.
#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"
#include "platform/test_support/message_box_fake.h"
#include "preview/settings_file.h"
#include "preview/test_support/preview_test_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A show's own settings as the show carries them: a tagged parameter stream of the show group.
XAString ShowSettingsText(float fogIntensity)
{
    LBeamvistaPars pars;
    pars.o_fog_intensity = fogIntensity;
    LArchiveXString archive;
    archive.OpenWrite(0);
    pars.Write(archive, kBeamvistaShowGroups);
    XAString text = archive.TakeString();
    archive.Close();
    return text;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PreviewSettingsTest : public PreviewTest
{
  protected:
    PreviewSettingsTest()
    {
        const UiRect rect = kViewRect;
        EXPECT_TRUE(preview_.CreateAsChild(view_, &rect));
        std::string pattern = (fs::temp_directory_path() / "zyl_settings_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        const uint32_t pixels[2] = {0x00FF0000, 0x0000FF00};
        const HImageRef image = HImageFromData(nullptr, 2, 1, 4, kImageTrueColour, 0, nullptr, pixels);
        EXPECT_FALSE(image->SaveBmp(File("picture.bmp").c_str()).Failed());
    }
    ~PreviewSettingsTest() override
    {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    std::string File(const char* name) const { return folder_ + "/" + name; }
    const LBeamvistaPars& Live() const { return preview_.LivePars(); }
    static void SetFog(float value)
    {
        ChangeParameters([value](LBeamvistaPars& pars) { pars.o_fog_intensity = value; });
    }
    static float DefaultFog() { return BeamvistaDefaultPars().o_fog_intensity; }

    std::string folder_;
    FakeMessageBox boxes_;
    TestPreview preview_;
};

TEST_F(PreviewSettingsTest, SavedLookWithItsPictureComesBackOnLoad)
{
    ASSERT_TRUE(preview_.LoadBackgroundImage(File("picture.bmp").c_str(), -1, nullptr));
    SetFog(0.25f);
    ASSERT_TRUE(preview_.SaveSettingsFile(File("look.zyp").c_str()));

    SetFog(0.75f);
    ASSERT_TRUE(preview_.RemoveBackgroundImage(0));
    EXPECT_FALSE(preview_.HasBackgroundPicture(0));
    ASSERT_TRUE(preview_.LoadSettingsFile(File("look.zyp").c_str()));
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.25f);
    EXPECT_EQ(std::string(Live().o_bg0_filename.CStr()), File("picture.bmp"));
    EXPECT_TRUE(preview_.HasBackgroundPicture(0));
    EXPECT_TRUE(boxes_.shown.empty());

    // Dropped, the file is loaded the same way.
    SetFog(0.75f);
    preview_.OnDropFiles({File("look.zyp")});
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.25f);
}

TEST_F(PreviewSettingsTest, AFileNamingABackgroundWithoutItsPictureEmptiesTheSlot)
{
    ASSERT_TRUE(preview_.LoadBackgroundImage(File("picture.bmp").c_str(), 0, nullptr));
    LBeamvistaPars pars = Live();
    LArchiveFile file(File("named.zyp").c_str(), kArchiveFileCreate, true);
    WriteSettingsFile(file, pars, {});
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(preview_.LoadSettingsFile(File("named.zyp").c_str()));
    EXPECT_FALSE(preview_.HasBackgroundPicture(0));
    EXPECT_EQ(std::string(Live().o_bg0_filename.CStr()), File("picture.bmp"));
}

TEST_F(PreviewSettingsTest, AFailedLoadChangesNothing)
{
    ASSERT_TRUE(preview_.LoadBackgroundImage(File("picture.bmp").c_str(), -1, nullptr));
    SetFog(0.25f);
    ASSERT_TRUE(preview_.SaveSettingsFile(File("look.zyp").c_str()));
    const std::string whole = FileBytes(File("look.zyp"));
    // Short of the window size's presence: the trailer after it is not read.
    WriteBytes(File("short.zyp"), whole.substr(0, whole.size() - 6));
    ASSERT_TRUE(preview_.RemoveBackgroundImage(0));
    SetFog(0.75f);
    const LBeamvistaPars before = Live();

    EXPECT_FALSE(preview_.LoadSettingsFile(File("short.zyp").c_str()));
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].title, "Loadi failed!");
    EXPECT_EQ(boxes_.shown[0].text, File("short.zyp") + "\n\nEnd of file!");
    EXPECT_EQ(boxes_.shown[0].icon, MessageBoxIcon::Error);
    EXPECT_TRUE(Live().IsEqual(before, kBeamvistaAllGroups));
    EXPECT_FALSE(preview_.HasBackgroundPicture(0));

    EXPECT_FALSE(preview_.LoadSettingsFile(File("missing.zyp").c_str()));
    EXPECT_EQ(boxes_.shown.size(), 2u);
}

TEST_F(PreviewSettingsTest, AWindowSizeFromAFileIsTakenOnlyWhenTheScreensHoldIt)
{
    const auto sizedFile = [this](int32_t width, int32_t height) {
        LArchiveXString body;
        body.OpenWrite(0);
        body.WriteVersion(2, 0);
        Live().Write(body, kBeamvistaFileGroups);
        body.WriteCount(-1);
        body.WriteBool(false);
        body.WriteBool(true);
        body.WriteI32(width);
        body.WriteI32(height);
        WriteBytes(File("sized.zyp"), std::string(body.TakeString().View()));
        body.Close();
        return File("sized.zyp");
    };
    struct Case
    {
        int32_t width, height;
        UiSize frame;
    };
    const UiSize start = ui_.WindowSizeOf(frame_);
    const Case cases[] = {
        {0, 480, start},
        {1000, 700, {start.width + 1000 - 640, start.height + 700 - 480}},
        {40000, 40000, {start.width + 1000 - 640, start.height + 700 - 480}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(preview_.LoadSettingsFile(sizedFile(c.width, c.height).c_str())) << c.width;
        EXPECT_EQ(ui_.WindowSizeOf(frame_).width, c.frame.width) << c.width;
        EXPECT_EQ(ui_.WindowSizeOf(frame_).height, c.frame.height) << c.width;
    }
}

// Saves in a child process whose files may not grow beyond a few bytes.
bool SaveWithFileSizeLimit(const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const CError status = SaveSettingsFileAt(path.c_str(), LBeamvistaPars(), {});
        ::_exit(status.Failed() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(PreviewSettingsTest, AFailedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    const std::string target = File("look.zyp");
    WriteBytes(target, "the old file");
    EXPECT_FALSE(SaveWithFileSizeLimit(target));
    EXPECT_EQ(FileBytes(target), "the old file");
    EXPECT_EQ(FolderNames(folder_), (std::vector<std::string>{"look.zyp", "picture.bmp"}));

    // A folder that takes no new files.
    const std::string locked = File("locked");
    fs::create_directory(locked);
    WriteBytes(locked + "/look.zyp", "the old file");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_FALSE(preview_.SaveSettingsFile((locked + "/look.zyp").c_str()));
        ASSERT_EQ(boxes_.shown.size(), 1u);
        EXPECT_EQ(boxes_.shown[0].title, "Saving failed");
        EXPECT_EQ(boxes_.shown[0].text.rfind(locked + "/look.zyp\n\n", 0), 0u) << boxes_.shown[0].text;
        EXPECT_EQ(FileBytes(locked + "/look.zyp"), "the old file");
        EXPECT_EQ(FolderNames(locked), (std::vector<std::string>{"look.zyp"}));
    }
    fs::permissions(locked, fs::perms::owner_all);

    // A folder that does not exist.
    EXPECT_FALSE(preview_.SaveSettingsFile(File("none/look.zyp").c_str()));
    EXPECT_FALSE(fs::exists(File("none")));
    EXPECT_EQ(boxes_.shown.back().title, "Saving failed");
}

TEST_F(PreviewSettingsTest, SavingThroughALinkReplacesTheFileItNames)
{
    const std::string real = File("real.zyp");
    WriteBytes(real, "old");
    fs::create_symlink(real, File("link.zyp"));
    ASSERT_TRUE(preview_.SaveSettingsFile(File("link.zyp").c_str()));
    EXPECT_TRUE(fs::is_symlink(File("link.zyp")));
    EXPECT_EQ(FileBytes(real).substr(0, 2), std::string("\x03\x00", 2));
}

TEST_F(PreviewSettingsTest, ResetsTakeTheDefaultsWithOrWithoutTheShowsSettings)
{
    // Without a show both resets give the generic defaults.
    for (bool fromShow : {true, false}) {
        SetFog(0.25f);
        preview_.ResetParameters(fromShow, kBeamvistaFileGroups);
        EXPECT_FLOAT_EQ(Live().o_fog_intensity, DefaultFog()) << fromShow;
    }
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    SetFog(0.25f);
    preview_.ResetParameters(true, kBeamvistaFileGroups);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.5f);
    preview_.ResetParameters(false, kBeamvistaFileGroups);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, DefaultFog());
    preview_.ClearFileParameters();
}

TEST_F(PreviewSettingsTest, AShowsSettingsComeAndGoWhereTheUserLeftTheValuesAlone)
{
    // Kept at the default: the show's value comes, and goes with the show.
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.5f);
    preview_.ClearFileParameters();
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, DefaultFog());

    // Changed by the user: the show's value does not come.
    SetFog(0.25f);
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.25f);
    preview_.ClearFileParameters();
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.25f);

    // Changed while the show was open: the user's value stays after it.
    SetFog(DefaultFog());
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    SetFog(0.75f);
    preview_.ClearFileParameters();
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.75f);

    // A second show replaces the first one's settings where the user left them.
    SetFog(DefaultFog());
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    preview_.SetFileParameters(ShowSettingsText(0.3f));
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.3f);
    preview_.ClearFileParameters();
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, DefaultFog());
}

TEST_F(PreviewSettingsTest, ClosingAShowDropsItsSettings)
{
    preview_.OpenShows({"a.zyl"}, 0);
    ASSERT_TRUE(preview_.HasOpenShow());
    preview_.SetFileParameters(ShowSettingsText(0.5f));
    ASSERT_FLOAT_EQ(Live().o_fog_intensity, 0.5f);
    preview_.CloseCurrentEntry();
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, DefaultFog());
}

TEST_F(PreviewSettingsTest, BackgroundPicturesFromFilesDropsAndTheChooser)
{
    const XAString picture = File("picture.bmp").c_str();
    for (int32_t slot = 0; slot < kBeamvistaBackgroundCount; ++slot)
        ASSERT_TRUE(preview_.LoadBackgroundImage(picture, -1, nullptr)) << slot;
    EXPECT_FALSE(preview_.LoadBackgroundImage(picture, -1, nullptr)) << "no free slot";
    EXPECT_FALSE(preview_.LoadBackgroundImage(picture, 4, nullptr));
    EXPECT_TRUE(boxes_.shown.empty());

    // Removal takes the last slot in use first.
    ASSERT_TRUE(preview_.RemoveBackgroundImage(-1));
    EXPECT_TRUE(Live().o_bg3_filename.IsEmpty());
    EXPECT_EQ(Live().o_bg3, 2);
    EXPECT_FALSE(preview_.HasBackgroundPicture(3));
    EXPECT_TRUE(preview_.HasBackgroundPicture(2));

    // A picture that cannot be read leaves its slot as it was.
    WriteBytes(File("broken.png"), "not a picture");
    EXPECT_FALSE(preview_.LoadBackgroundImage(File("broken.png").c_str(), 2, nullptr));
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].title, "Load failed");
    EXPECT_EQ(boxes_.shown[0].text, File("broken.png") + "\n\nCan't read image! (invalid/unknown format)");
    EXPECT_TRUE(preview_.HasBackgroundPicture(2));
    EXPECT_EQ(Live().o_bg2_filename, picture);

    // Dropped, a picture takes the first free slot.
    preview_.OnDropFiles({File("picture.bmp")});
    EXPECT_TRUE(preview_.HasBackgroundPicture(3));

    // The chooser loads into its own slot; while it runs, no other file operation starts.
    ASSERT_TRUE(preview_.RemoveBackgroundImage(1));
    bool savedMeanwhile = true;
    bool loadedMeanwhile = true;
    ui_.whileFileDialogRuns = [&] {
        savedMeanwhile = preview_.SaveSettingsFile(File("meanwhile.zyp").c_str());
        loadedMeanwhile = preview_.LoadSettingsFile(File("meanwhile.zyp").c_str());
    };
    UiFileDialogResult chosen;
    chosen.paths = {File("picture.bmp")};
    ui_.fileDialogAnswers.push_back(chosen);
    preview_.ChooseBackgroundImage(1);
    EXPECT_FALSE(savedMeanwhile);
    EXPECT_FALSE(loadedMeanwhile);
    EXPECT_FALSE(fs::exists(File("meanwhile.zyp")));
    ASSERT_EQ(ui_.fileDialogs.size(), 1u);
    EXPECT_FALSE(ui_.fileDialogs[0].save);
    EXPECT_EQ(ui_.fileDialogs[0].filter, "All Known Formats|*.jpg;*.jpeg;*.png|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|"
                                         "Portable Network Graphics (*.png)|*.png|All Files (*.*)|*.*||");
    EXPECT_TRUE(preview_.HasBackgroundPicture(1));
    EXPECT_EQ(Live().o_bg1, 1);
}

TEST_F(PreviewSettingsTest, APathTooLongForTheNameParameterKeepsItsFileName)
{
    std::string deep = folder_;
    while (deep.size() < 300)
        deep += "/" + std::string(40, 'd');
    fs::create_directories(deep);
    const std::string path = deep + "/picture.bmp";
    fs::copy_file(File("picture.bmp"), path);
    ASSERT_TRUE(preview_.LoadBackgroundImage(path.c_str(), 0, nullptr));
    EXPECT_EQ(Live().o_bg0_filename, "picture.bmp");
    EXPECT_TRUE(preview_.HasBackgroundPicture(0));
    // The next change of the parameters keeps the picture.
    SetFog(0.25f);
    EXPECT_TRUE(preview_.HasBackgroundPicture(0));
    EXPECT_TRUE(boxes_.shown.empty());
}

} // namespace
