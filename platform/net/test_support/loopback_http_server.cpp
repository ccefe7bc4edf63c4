#include "platform/net/test_support/loopback_http_server.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr const char* kContentType = "application/octet-stream";

} // namespace

LoopbackHttpServer::LoopbackHttpServer() : server_(std::make_unique<httplib::Server>())
{
    server_->set_logger([this](const httplib::Request&, const httplib::Response&) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++requests_;
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        port_ = 0;
        return;
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop before the accept loop runs would be lost, and the loop would never end.
    while (!server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    server_->stop();
    if (thread_.joinable())
        thread_.join();
}

std::string LoopbackHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int LoopbackHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::ReleaseStalls()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stallsReleased_ = true;
    }
    released_.notify_all();
}

bool LoopbackHttpServer::WaitWhileStalled()
{
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait(lock, [this] { return stallsReleased_ || stopping_; });
    return !stopping_;
}

bool LoopbackHttpServer::Stopping() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stopping_;
}

void LoopbackHttpServer::Redirect(const std::string& from, const std::string& to)
{
    const std::string target = to.starts_with("/") ? Url(to) : to;
    server_->Get(from, [target](const httplib::Request&, httplib::Response& response) {
        response.set_redirect(target);
    });
}

void LoopbackHttpServer::Serve(const std::string& path, LoopbackResponse answer)
{
    auto shared = std::make_shared<const LoopbackResponse>(std::move(answer));
    server_->Get(path, [this, shared](const httplib::Request&, httplib::Response& response) {
        const LoopbackResponse& r = *shared;
        response.status = r.status;
        // Writes the body from offset on, as the response's pacing asks; false ends the connection.
        auto send = [this, shared](size_t offset, size_t limit, httplib::DataSink& sink) {
            const LoopbackResponse& r = *shared;
            const size_t size = r.body.size();
            while (offset < limit) {
                if (Stopping())
                    return false;
                if (offset >= r.stallAfter && !WaitWhileStalled())
                    return false;
                const size_t at = size == 0 ? 0 : offset % size;
                size_t n = std::min({r.step, limit - offset, size - at});
                if (offset < r.stallAfter)
                    n = std::min(n, r.stallAfter - offset);
                if (n == 0 || !sink.write(r.body.data() + at, n))
                    return false;
                offset += n;
                if (r.pauseMs > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(r.pauseMs));
            }
            return true;
        };
        if (r.body.empty() && r.declaredLength < 0) {
            response.set_content("", kContentType);
        } else if (r.endless) {
            response.set_chunked_content_provider(kContentType, [send](size_t offset, httplib::DataSink& sink) {
                return send(offset, offset + 1024 * 1024, sink);
            });
        } else if (!r.declareLength) {
            response.set_chunked_content_provider(kContentType, [send, shared](size_t offset, httplib::DataSink& sink) {
                if (!send(offset, shared->body.size(), sink))
                    return false;
                sink.done();
                return true;
            });
        } else {
            const size_t declared =
                r.declaredLength < 0 ? r.body.size() : static_cast<size_t>(r.declaredLength);
            response.set_content_provider(declared, kContentType,
                                          [send, shared](size_t offset, size_t length, httplib::DataSink& sink) {
                                              // Past the real body the connection is cut.
                                              const size_t limit = std::min(offset + length, shared->body.size());
                                              return send(offset, limit, sink) && limit == offset + length;
                                          });
        }
    });
}
