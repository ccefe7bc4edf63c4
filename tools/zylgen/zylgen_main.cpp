// zylgen: makes a show file for demos and tests.
//   zylgen [options] output.zyl

#include "tools/show_generator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: zylgen [options] output.zyl\n"
                               "  --seed N          seed of the show (1)\n"
                               "  --servers N       servers (2)\n"
                               "  --channels N      channels per server, 1..8 (5)\n"
                               "  --seconds S       length of the show (10)\n"
                               "  --fps F           frames per second and channel (25)\n"
                               "  --points N        points per frame (300)\n"
                               "  --blanking S      each channel goes dark once in S seconds, 0 never (4)\n"
                               "  --sound           with a sound track\n"
                               "  --raw-sound       the sound track as raw PCM counting its frames\n"
                               "  --sound-after-frames  the sound recorded after all frames\n"
                               "  --numbered        numbered frames every 10 ms\n"
                               "  --bitmaps N       background pictures, 0..4 (0)\n"
                               "  --no-user-data    without the user-data block\n"
                               "  --form F          raw, streamable, coded, aborted or truncated (coded)\n"
                               "  --quality Q       frame codec quality, 0..100 (100)\n"
                               "  --remove-dups     let the converter drop repeated frames\n"
                               "  --still-circle    every channel shows the same still green circle\n"
                               "  --truncate N      bytes a truncated show keeps (half)\n";

constexpr double kMicrosecondsPerSecond = 1000000.0;

bool ParseForm(std::string_view text, ShowForm& form)
{
    struct Name
    {
        std::string_view name;
        ShowForm form;
    };
    static constexpr Name kForms[] = {{"raw", ShowForm::kRaw},
                                      {"streamable", ShowForm::kStreamable},
                                      {"coded", ShowForm::kCoded},
                                      {"aborted", ShowForm::kAborted},
                                      {"truncated", ShowForm::kTruncated}};
    for (const Name& n : kForms) {
        if (n.name == text) {
            form = n.form;
            return true;
        }
    }
    return false;
}

// Options and their values; false on anything unknown.
bool ParseArguments(int argc, char** argv, ShowGeneratorOptions& o, const char*& path)
{
    path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const char* value = hasValue ? argv[i + 1] : "";
        if (arg == "--sound") {
            o.sound = true;
        } else if (arg == "--raw-sound") {
            o.sound = o.rawSound = true;
        } else if (arg == "--sound-after-frames") {
            o.soundAfterFrames = true;
        } else if (arg == "--numbered") {
            o.numbered = true;
        } else if (arg == "--no-user-data") {
            o.userData = false;
        } else if (arg == "--remove-dups") {
            o.removeDuplicates = true;
        } else if (arg == "--still-circle") {
            o.stillCircle = true;
        } else if (arg.starts_with("--") && !hasValue) {
            return false;
        } else if (arg == "--seed") {
            o.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
            ++i;
        } else if (arg == "--servers") {
            o.servers = std::atoi(value);
            ++i;
        } else if (arg == "--channels") {
            o.channelsPerServer = std::atoi(value);
            ++i;
        } else if (arg == "--seconds") {
            o.durationUs = static_cast<int64_t>(std::atof(value) * kMicrosecondsPerSecond);
            ++i;
        } else if (arg == "--fps") {
            o.framesPerSecond = std::atof(value);
            ++i;
        } else if (arg == "--points") {
            o.pointsPerFrame = std::atoi(value);
            ++i;
        } else if (arg == "--bitmaps") {
            o.bitmaps = std::atoi(value);
            ++i;
        } else if (arg == "--blanking") {
            o.blankingPeriodS = std::atoi(value);
            ++i;
        } else if (arg == "--form") {
            if (!ParseForm(value, o.form))
                return false;
            ++i;
        } else if (arg == "--quality") {
            o.quality = std::atoi(value);
            ++i;
        } else if (arg == "--truncate") {
            o.truncateBytes = std::atoi(value);
            ++i;
        } else if (arg.starts_with("--") || path) {
            return false;
        } else {
            path = argv[i];
        }
    }
    return path != nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    ShowGeneratorOptions options;
    const char* path = nullptr;
    if (!ParseArguments(argc, argv, options, path)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const CError error = GenerateShow(path, options);
    if (error.Failed()) {
        std::fprintf(stderr, "zylgen: %s\n", error.ErrorText().CStr());
        return 1;
    }
    return 0;
}
