// ZylhostFixture: the real zylhost with the real control library on a private X server with a
// window manager, for the gui tests of the container and of the control inside it: pages written
// to a temporary folder, the container started on one with --commands, its answers read back, its
// windows and pixels read with zylshot and driven with xdotool.
#pragma once

#include "foundation/pictures/png_reader.h"
#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zylhost_test {

using namespace std::chrono_literals;

// Tries at a context menu before a test gives up.
constexpr int kMenuAttempts = 3;
// A pixel is coloured when its channels differ by more than this.
constexpr int kColourSpread = 128;
// A playing show of two channels lights at least this many pixels of a 320 x 240 preview.
constexpr int kLitShow = 50;

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ZylhostFixture : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.Ok()) << session_.Error();
        std::string pattern = (std::filesystem::temp_directory_path() / "zylhost_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        if (input_ >= 0) {
            close(input_);
        }
        if (host_ > 0) {
            session_.Stop(host_);
        }
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    void WritePage(const std::string& body)
    {
        std::ofstream(folder_ / "page.html") << "<html><body>\n" << body << "</body></html>\n";
    }
    // A page playing show.zyl, a 30 s show made beside it (longer than the ten seconds the player
    // holds for before it starts), throttled to arrive over about loadSeconds.
    void WriteThrottledPage(int loadSeconds)
    {
        const std::filesystem::path show = folder_ / "show.zyl";
        ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds 30 --servers 1 --channels 2 --form streamable '" +
                               show.string() + "' >/dev/null"),
                  0);
        const auto bitsPerSecond = std::filesystem::file_size(show) * 8 / loadSeconds;
        WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\">\n"
                  "  <param name=\"Src\" value=\"show.zyl\">\n"
                  "  <param name=\"BitsPerSecond\" value=\"" +
                  std::to_string(bitsPerSecond) + "\">\n</object>\n");
    }
    size_t VisibleWindows() const
    {
        std::string ids;
        session_.Run("xdotool search --onlyvisible --class zylhost", &ids);
        return static_cast<size_t>(std::count(ids.begin(), ids.end(), '\n'));
    }
    // Whether a visible window of the container covers the whole screen.
    bool CoversTheScreen() const
    {
        std::string screen;
        session_.Run("xdotool getdisplaygeometry", &screen);
        std::string ids;
        session_.Run("xdotool search --onlyvisible --class zylhost", &ids);
        std::istringstream lines(ids);
        for (std::string id; std::getline(lines, id);) {
            std::string geometry;
            session_.Run("xdotool getwindowgeometry --shell " + id + " | grep -E '^(WIDTH|HEIGHT)=' | cut -d= -f2 | "
                         "paste -sd' '",
                         &geometry);
            if (!geometry.empty() && geometry == screen) {
                return true;
            }
        }
        return false;
    }
    // Right-clicks the first object's player; true once its context menu, a window of its own,
    // is shown.
    bool OpenContextMenu()
    {
        const std::string frame = WindowId("zylhost - page.html");
        session_.Run("xdotool windowactivate --sync " + frame);
        const size_t before = VisibleWindows();
        session_.Run("xdotool mousemove --window " + frame + " 100 100 click 3");
        return XSession::PollUntil([&] { return VisibleWindows() > before; }, 10s);
    }
    // Right-clicks the first object's player and types keys into its context menu until done()
    // says they took effect; a busy player may open its menu late, so a missed try is closed with
    // Escape and made again.
    bool ContextMenuKeys(const std::string& keys, const std::function<bool()>& done)
    {
        for (int attempt = 0; attempt < kMenuAttempts; ++attempt) {
            OpenContextMenu();
            session_.Run("xdotool key --delay 100 " + keys);
            if (XSession::PollUntil(done, 5s)) {
                return true;
            }
            session_.Run("xdotool key Escape");
        }
        return false;
    }
    // zylhost --commands on the page, its input a pipe the test writes, its output a file.
    void StartHost()
    {
        const std::filesystem::path fifo = folder_ / "input";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        host_ = session_.Start({"sh", "-c",
                                std::string("exec '") + ZYLHOST + "' --commands '" + (folder_ / "page.html").string() +
                                    "' <'" + fifo.string() + "' >'" + (folder_ / "output").string() + "' 2>'" +
                                    (folder_ / "errors").string() + "'"});
        ASSERT_GT(host_, 0);
        // Read and write: the open does not wait for the reader.
        input_ = open(fifo.c_str(), O_RDWR);
        ASSERT_GE(input_, 0);
        ASSERT_TRUE(XSession::PollUntil([this] { return !WindowId("zylhost - page.html").empty(); }, 30s))
            << "no window titled zylhost - page.html";
    }
    // Sends a command; its answer is the next one Answer() reads. Every command is answered by
    // exactly one line that is no event, in the order sent.
    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        ASSERT_EQ(write(input_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ++sent_;
    }
    std::vector<std::string> OutputLines() const
    {
        std::vector<std::string> lines;
        std::istringstream text(ReadFile(folder_ / "output"));
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // The answers written so far, events left out.
    std::vector<std::string> Answers() const
    {
        std::vector<std::string> answers;
        for (std::string& line : OutputLines()) {
            if (!line.starts_with("event ")) {
                answers.push_back(std::move(line));
            }
        }
        return answers;
    }
    // Whether the oldest command not yet read back has been answered.
    bool Answered() const { return Answers().size() > answered_; }
    // Waits for the oldest command not yet read back to be answered: the answer, or empty when
    // none comes within the limit (it is then still the next one read). Answers are counted, not
    // looked for after the lines there were, so an answer that comes late is never taken for the
    // next command's.
    std::string Answer(std::chrono::milliseconds limit = 20s)
    {
        if (answered_ >= sent_ || !XSession::PollUntil([&] { return Answered(); }, limit)) {
            return {};
        }
        return Answers()[answered_++];
    }
    // Sends a command and waits for its answer.
    std::string Ask(const std::string& line)
    {
        Send(line);
        // Answers still owed to earlier commands come first.
        std::string answer;
        while (answered_ < sent_) {
            answer = Answer();
            if (answer.empty()) {
                return answer;
            }
        }
        return answer;
    }
    std::string WindowId(const std::string& title) const
    {
        std::string titles;
        session_.Run(std::string(ZYLSHOT) + " titles", &titles);
        std::istringstream lines(titles);
        std::string id;
        std::string line;
        while (lines >> id && std::getline(lines, line)) {
            if (line == " " + title) {
                return id;
            }
        }
        return {};
    }
    // Where a window lies on the screen and its size, as the X server has it (xdotool counts a
    // reparenting window manager's decorations into the place).
    struct WindowPlace
    {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    WindowPlace PlaceOf(const std::string& window) const
    {
        std::string text;
        session_.Run("xwininfo -id " + window +
                         " | grep -E '(Absolute upper-left [XY]|Width|Height):' | cut -d: -f2",
                     &text);
        WindowPlace place;
        std::istringstream(text) >> place.x >> place.y >> place.width >> place.height;
        return place;
    }
    // Every window below window, as "id width height" rows, depth first.
    std::vector<std::tuple<std::string, int, int>> Children(const std::string& window) const
    {
        std::string text;
        session_.Run(std::string(ZYLSHOT) + " children " + window, &text);
        std::vector<std::tuple<std::string, int, int>> children;
        std::istringstream lines(text);
        std::string id;
        int width = 0;
        int height = 0;
        while (lines >> id >> width >> height) {
            children.emplace_back(id, width, height);
        }
        return children;
    }
    std::string ChildrenText(const std::string& window) const
    {
        std::string text;
        session_.Run(std::string(ZYLSHOT) + " children " + window, &text);
        return text;
    }
    // The previews are the frame's native child windows (the OpenGL windows of the players).
    bool HasPreview(const std::string& frame, int width, int minHeight, int maxHeight) const
    {
        for (const auto& [id, w, h] : Children(frame)) {
            if (w == width && h >= minHeight && h <= maxHeight) {
                return true;
            }
        }
        return false;
    }
    // How many pixels of the screen are lit in a strong colour, as laser light is and the
    // windows' grey, white and muted blue are not.
    int ColouredPixels() const
    {
        const std::filesystem::path shot = folder_ / "shot.png";
        if (session_.Run(std::string(ZYLSHOT) + " png '" + shot.string() + "'") != 0) {
            return -1;
        }
        HImageRef picture;
        if (LPngReader(false).Read(shot.c_str(), nullptr, picture).Failed()) {
            return -1;
        }
        HMemRef pixels = picture->LockPixels();
        const auto* bytes = static_cast<const uint8_t*>(pixels.GetData());
        int lit = 0;
        for (int32_t y = 0; y < picture->Height(); ++y) {
            const uint8_t* row = bytes + static_cast<ptrdiff_t>(y) * picture->Pitch();
            for (int32_t x = 0; x < picture->Width(); ++x) {
                const uint8_t* pixel = row + 4 * x;
                const int spread = std::max({pixel[0], pixel[1], pixel[2]}) - std::min({pixel[0], pixel[1], pixel[2]});
                lit += spread > kColourSpread ? 1 : 0;
            }
        }
        return lit;
    }
    // A number answered by "get Name", or -1.
    double Number(const std::string& name)
    {
        const std::string answer = Ask("get " + name);
        return answer.starts_with("ok ") ? std::stod(answer.substr(3)) : -1;
    }
    // Whether the host ends on its own within the limit; it is left to WaitForEnd to collect.
    bool EndsWithin(std::chrono::milliseconds limit) const
    {
        return XSession::PollUntil(
            [&] {
                siginfo_t info{};
                // WNOWAIT: the ended host stays to be collected with its status.
                return waitid(P_PID, static_cast<id_t>(host_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                       info.si_pid == host_;
            },
            limit);
    }
    // Waits for the host's end: its exit status.
    int WaitForEnd()
    {
        const int status = session_.Stop(host_);
        host_ = -1;
        return status;
    }

    static inline XSession session_{true};
    std::filesystem::path folder_;
    pid_t host_ = -1;
    int input_ = -1;
    // Commands sent, and how many of their answers were read back.
    size_t sent_ = 0;
    size_t answered_ = 0;
};

} // namespace zylhost_test
