#include "preview/test_support/preview_test_fixture.h"

#include "foundation/files/fs_name.h"
#include "preview/test_support/playback_harness.h"

#include <cstdlib>
#include <filesystem>

namespace {

constexpr double kShowSeconds = 2.0;

} // namespace

TestPreview::~TestPreview()
{
    // The shows close before their files go.
    CloseAll(false);
    if (!showFolder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(showFolder_, error);
    }
}

void TestPreview::OpenShows(std::initializer_list<const char*> paths, int32_t index)
{
    CloseAll(false);
    if (showFolder_.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zyl_preview_XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            showFolder_ = pattern;
    }
    for (const char* path : paths) {
        const std::string name = XAFsName(path).FileNamePart().CStr();
        std::string show = showFolder_ + "/" + name;
        if (!std::filesystem::exists(show))
            show = MakeHarnessShow(showFolder_, name, {48000, kShowSeconds, false});
        AddShow(show.c_str(), XAString(), -1, nullptr, true);
    }
    if (index > 0)
        OpenEntry(index, false, true, nullptr, true);
}
