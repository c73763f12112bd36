#include "platform/HttpClient.h"

#include "support/CatalogueServer.h"

#include <gtest/gtest.h>

namespace mevara {
namespace {

using namespace std::chrono_literals;
using testsupport::CatalogueServer;

TEST(HttpClient, ReturnsStatusAndBody) {
    CatalogueServer server;
    server.answer(200, "hello");
    HttpResponse ok = HttpClient::get(server.url() + "/kelvox/?op=tl&format=xml");
    EXPECT_TRUE(ok.completed);
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.body, "hello");
    EXPECT_EQ(server.lastTarget(), "/kelvox/?op=tl&format=xml");

    server.answer(404, "missing");
    HttpResponse missing = HttpClient::get(server.url() + "/");
    EXPECT_TRUE(missing.completed);
    EXPECT_EQ(missing.status, 404);
}

TEST(HttpClient, GivesUpOnHangsEndlessBodiesAndDeadHosts) {
    CatalogueServer server;
    server.setMode(CatalogueServer::Mode::Hang);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(HttpClient::get(server.url() + "/", 300ms).completed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    server.setMode(CatalogueServer::Mode::Endless);
    EXPECT_FALSE(HttpClient::get(server.url() + "/", 20s, 256 * 1024).completed);

    // Port 1 on loopback has no listener.
    EXPECT_FALSE(HttpClient::get("http://127.0.0.1:1/", 2s).completed);
}

} // namespace
} // namespace mevara
