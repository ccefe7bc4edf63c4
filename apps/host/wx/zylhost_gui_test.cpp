// The real zylhost with the real control library on a private X server with a window manager:
// pages read, objects embedded and shown, the command protocol on standard input and output,
// the control's menus driven by xdotool and read back with zylshot.
#include "foundation/pictures/png_reader.h"
#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Tries at a context menu before a test gives up.
constexpr int kMenuAttempts = 3;
// A pixel is coloured when its channels differ by more than this.
constexpr int kColourSpread = 128;
// A playing show of two channels lights at least this many pixels of a 320 x 240 preview.
constexpr int kLitShow = 50;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ZylhostGuiTest : public testing::Test
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
    // Right-clicks the first object's player and types keys into its context menu until done()
    // says they took effect; a busy player may open its menu late, so a missed try is closed with
    // Escape and made again.
    bool ContextMenuKeys(const std::string& keys, const std::function<bool()>& done)
    {
        const std::string frame = WindowId("zylhost - page.html");
        for (int attempt = 0; attempt < kMenuAttempts; ++attempt) {
            session_.Run("xdotool windowactivate --sync " + frame);
            const size_t before = VisibleWindows();
            session_.Run("xdotool mousemove --window " + frame + " 100 100 click 3");
            // The menu is a window of its own.
            XSession::PollUntil([&] { return VisibleWindows() > before; }, 10s);
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
    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        ASSERT_EQ(write(input_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
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
    // Sends a command and waits for the answer: the next line after those there were.
    std::string Ask(const std::string& line)
    {
        const size_t before = OutputLines().size();
        Send(line);
        std::string answer;
        XSession::PollUntil(
            [&] {
                const std::vector<std::string> lines = OutputLines();
                for (size_t i = before; i < lines.size(); ++i) {
                    if (!lines[i].starts_with("event ")) {
                        answer = lines[i];
                        return true;
                    }
                }
                return false;
            },
            20s);
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
    // Waits for the host's end: its exit status.
    int WaitForEnd()
    {
        const int status = session_.Stop(host_);
        host_ = -1;
        return status;
    }

    static XSession session_;
    std::filesystem::path folder_;
    pid_t host_ = -1;
    int input_ = -1;
};

XSession ZylhostGuiTest::session_(true);

// The page's object comes up with its PARAMs loaded, its events reach the container, its
// properties answer through the protocol, and quitting ends the container cleanly.
TEST_F(ZylhostGuiTest, EmbedsThePagesObjectAndAnswersCommands)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\">\n"
              "  <param name=\"ForceFog\" value=\"1\">\n"
              "  <param name=\"Src\" value=\"missing.zyl\">\n"
              "</object>\n");
    StartHost();
    // Nothing to play: no laser light.
    EXPECT_EQ(ColouredPixels(), 0);
    EXPECT_EQ(Ask("get ForceFog"), "ok 1");
    EXPECT_EQ(Ask("get Url"), "ok missing.zyl");
    EXPECT_EQ(Ask("set FogIntensity 37.5"), "ok");
    EXPECT_EQ(Ask("get FogIntensity"), "ok 38");
    EXPECT_EQ(Ask("get NoSuchThing"), "error 0x80020006 unknown name NoSuchThing");
    EXPECT_EQ(Ask("call GetVersionX"), "ok 0001000000000001");
    const std::vector<std::string> lines = OutputLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "event ReadyStateChange 4"), lines.end());
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// Two objects of two sizes (one by the control's class, one by its media type), each with its
// player: without a Frame PARAM the thin playback strip takes the bottom of the object, with
// Frame = 0 the preview fills it. Closing the window ends the container with status 0.
TEST_F(ZylhostGuiTest, TwoObjectsEachGetTheirWindowAndClosingExitsCleanly)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n"
              "<object type=\"application/x-velquon-zyl\" width=\"200\" height=\"150\">\n"
              "  <param name=\"Frame\" value=\"0\">\n"
              "</object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    EXPECT_TRUE(XSession::PollUntil(
        [&] { return HasPreview(frame, 320, 240 / 2, 240 - 1) && HasPreview(frame, 200, 150, 150); }, 20s))
        << ChildrenText(frame) << ReadFile(folder_ / "errors");
    session_.Run("xdotool windowactivate --sync " + frame + " key alt+F4");
    EXPECT_EQ(WaitForEnd(), 0);
}

// A throttled show from the page's folder starts playing before it has all arrived: while
// Loaded still rises, the position moves and the preview is lit; the download completes.
TEST_F(ZylhostGuiTest, AThrottledShowPlaysWhileItArrives)
{
    WriteThrottledPage(10);
    StartHost();
    bool earlyStart = false;
    XSession::PollUntil(
        [&] {
            const double loaded = Number("Loaded");
            earlyStart = loaded > 0 && loaded < 100 && Number("PositionF") > 0;
            return earlyStart || loaded >= 100;
        },
        40s);
    EXPECT_TRUE(earlyStart) << "the show did not play before it had arrived";
    // Channels go dark now and then: the light is looked for a while.
    EXPECT_TRUE(XSession::PollUntil([&] { return ColouredPixels() > kLitShow; }, 20s)) << "no laser light";
    EXPECT_TRUE(XSession::PollUntil([&] { return Number("Loaded") == 100; }, 30s));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// A hidden control keeps a new Url pending; showing it starts the load.
TEST_F(ZylhostGuiTest, AHiddenControlLoadsItsUrlOnceShown)
{
    ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds 5 --servers 1 --channels 1 --form streamable '" +
                           (folder_ / "show.zyl").string() + "' >/dev/null"),
              0);
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    EXPECT_EQ(Ask("verb -3"), "ok");
    EXPECT_EQ(Ask("set Url show.zyl"), "ok");
    EXPECT_EQ(Ask("wait 1000"), "ok");
    EXPECT_EQ(Number("Loaded"), 0);
    EXPECT_EQ(Ask("verb -1"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return Number("Loaded") == 100; }, 20s));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The FullScreen property puts the player on the whole screen and takes it back.
TEST_F(ZylhostGuiTest, FullScreenPropertyTakesTheScreenAndGivesItBack)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    EXPECT_FALSE(CoversTheScreen());
    EXPECT_EQ(Ask("set FullScreen 1"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return CoversTheScreen(); }, 10s));
    EXPECT_EQ(Ask("get FullScreen"), "ok True");
    EXPECT_EQ(Ask("set FullScreen 0"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return !CoversTheScreen(); }, 10s));
    EXPECT_EQ(Ask("get FullScreen"), "ok False");
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The player's context menu while a slow download runs: Stop Loading completes the load with what
// arrived, which goes on playing; Close empties the Url; Reload fetches the last Url again.
TEST_F(ZylhostGuiTest, ContextMenuStopsLoadingClosesAndReloads)
{
    WriteThrottledPage(60);
    StartHost();
    ASSERT_TRUE(XSession::PollUntil([&] { return Number("Loaded") > 0; }, 20s));
    EXPECT_TRUE(ContextMenuKeys("l", [&] { return Number("Loaded") == 100; }));
    EXPECT_EQ(Ask("get Url"), "ok show.zyl");
    EXPECT_TRUE(ContextMenuKeys("c", [&] { return Ask("get Url") == "ok "; }));
    EXPECT_EQ(Number("Loaded"), 0);
    // Reload and Reset Properties share their mnemonic: the first press selects Reload.
    EXPECT_TRUE(ContextMenuKeys("r Return", [&] { return Ask("get Url") == "ok show.zyl" && Number("Loaded") > 0; }));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The player's context menu in the control offers About as its last item; it opens the about
// box over the container, and the container quits only once the box is closed.
TEST_F(ZylhostGuiTest, ContextMenuOfThePlayerOpensTheAboutBox)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    ASSERT_TRUE(XSession::PollUntil([&] { return HasPreview(frame, 320, 240 / 2, 240 - 1); }, 20s));
    ASSERT_TRUE(ContextMenuKeys("Up Return", [&] { return !WindowId("About Zyl Player").empty(); }));
    // A quit asked for under the modal box waits for it: the control is not taken down beneath it.
    EXPECT_EQ(Ask("quit"), "ok");
    session_.Run("sleep 1");
    EXPECT_FALSE(WindowId("About Zyl Player").empty());
    session_.Run("xdotool key Escape");
    EXPECT_EQ(WaitForEnd(), 0);
}

} // namespace
