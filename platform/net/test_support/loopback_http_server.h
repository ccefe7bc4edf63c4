// An HTTP server on 127.0.0.1 (a free port) for download tests: it serves bodies whole, in slow
// steps, with a length that lies, without a length, endlessly, stalled, with any status, and
// redirects. It runs on its own threads from construction to destruction.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

struct LoopbackResponse
{
    static constexpr size_t kWhole = static_cast<size_t>(-1);

    std::string body;
    int status = 200;
    // false: no length is declared (chunked).
    bool declareLength = true;
    // A length other than the body's: more than it is a cut connection. Negative: the body's.
    int64_t declaredLength = -1;
    // Bytes per write and the pause after each (a throttled line).
    size_t step = 64 * 1024;
    int pauseMs = 0;
    // Sending stops after this many bytes until ReleaseStalls (or the server ends).
    size_t stallAfter = kWhole;
    // The body repeats for ever (no length is declared).
    bool endless = false;
};

class LoopbackHttpServer
{
  public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool IsRunning() const { return port_ > 0; }
    int Port() const { return port_; }
    // "http://127.0.0.1:port" + path.
    std::string Url(const std::string& path) const;

    void Serve(const std::string& path, LoopbackResponse response);
    // 302 to `to` (a path of this server or any address).
    void Redirect(const std::string& from, const std::string& to);
    void ReleaseStalls();
    // Requests answered so far (redirects included).
    int Requests() const;

  private:
    // Blocks a stalled sender until released or the server ends; false when it ends.
    bool WaitWhileStalled();
    bool Stopping() const;

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool stallsReleased_ = false;
    bool stopping_ = false;
    int requests_ = 0;
};
