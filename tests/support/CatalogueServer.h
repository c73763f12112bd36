#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace mevara::testsupport {

// A catalogue service on 127.0.0.1 with an ephemeral port, answering whatever
// the test sets: a status and body, a request that hangs, or an endless body.
class CatalogueServer {
public:
    enum class Mode { Answer, Hang, Endless };

    CatalogueServer();
    ~CatalogueServer();
    CatalogueServer(const CatalogueServer&) = delete;
    CatalogueServer& operator=(const CatalogueServer&) = delete;

    void answer(int status, std::string body);
    void setMode(Mode mode) { mode_ = mode; }

    std::string url() const;
    std::string lastTarget() const;

private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<Mode> mode_{Mode::Answer};
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    int status_ = 200;
    std::string body_;
    std::string lastTarget_;
};

} // namespace mevara::testsupport
