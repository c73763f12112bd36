#include "CatalogueServer.h"

#include <chrono>
#include <httplib.h>
#include <stdexcept>

namespace mevara::testsupport {

using namespace std::chrono_literals;

CatalogueServer::CatalogueServer() : server_(std::make_unique<httplib::Server>()) {
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard lock(mutex_);
            lastTarget_ = request.target;
        }
        switch (mode_.load()) {
        case Mode::Hang:
            while (!stopping_)
                std::this_thread::sleep_for(10ms);
            return;
        case Mode::Endless:
            response.set_chunked_content_provider(
                "text/xml", [this](size_t, httplib::DataSink& sink) {
                    static const std::string block(64 * 1024, 'x');
                    return !stopping_ && sink.write(block.data(), block.size());
                });
            return;
        case Mode::Answer: {
            std::lock_guard lock(mutex_);
            response.status = status_;
            response.set_content(body_, "text/xml");
            return;
        }
        }
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot bind the test server");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    for (int i = 0; i < 500 && !server_->is_running(); ++i)
        std::this_thread::sleep_for(10ms);
}

CatalogueServer::~CatalogueServer() {
    stopping_ = true;
    server_->stop();
    thread_.join();
}

void CatalogueServer::answer(int status, std::string body) {
    std::lock_guard lock(mutex_);
    mode_ = Mode::Answer;
    status_ = status;
    body_ = std::move(body);
}

std::string CatalogueServer::url() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::string CatalogueServer::lastTarget() const {
    std::lock_guard lock(mutex_);
    return lastTarget_;
}

} // namespace mevara::testsupport
