// A local catalogue service for trying the refresh by hand: answers the
// catalogue request with a file (the shipped catalogue by default). With --site it
// also serves the browser build, so the page and its catalogue share an origin.
#include "platform/Directories.h"
#include "platform/TextFile.h"

#include <charconv>
#include <cstdio>
#include <httplib.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <utility>

namespace {

const char* const usage = "Usage: catalogue-server [options]\n"
                          "\n"
                          "  --port N       listen on 127.0.0.1:N (default 8080)\n"
                          "  --file PATH    the catalogue to answer with, read afresh on every\n"
                          "                 request (default: the shipped testlist.xml)\n"
                          "  --site DIR     also serve DIR's files at / (the browser build's\n"
                          "                 build-web/site)\n"
                          "  --help         this text\n";

// Browsers refuse to compile WebAssembly streamed with any other type, and a manifest or
// font with a wrong one is ignored.
constexpr std::pair<const char*, const char*> siteTypes[] = {
    {"html", "text/html; charset=utf-8"},
    {"js", "text/javascript; charset=utf-8"},
    {"mjs", "text/javascript; charset=utf-8"},
    {"css", "text/css; charset=utf-8"},
    {"json", "application/json"},
    {"webmanifest", "application/manifest+json"},
    {"wasm", "application/wasm"},
    {"data", "application/octet-stream"},
    {"png", "image/png"},
    {"svg", "image/svg+xml"},
    {"woff2", "font/woff2"},
    {"xml", "text/xml; charset=utf-8"},
};

bool parsePort(std::string_view text, int& port) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int port = 8080;
    std::string file = (mevara::Directories::defaults().resources / "testlist.xml").string();
    std::string site;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        const bool hasValue = i + 1 < argc;
        std::string problem;
        if (option == "--port") {
            if (hasValue && parsePort(argv[i + 1], port))
                ++i;
            else
                problem = "--port needs a number from 1 to 65535";
        } else if (option == "--file") {
            if (hasValue)
                file = argv[++i];
            else
                problem = "--file needs a path";
        } else if (option == "--site") {
            if (hasValue)
                site = argv[++i];
            else
                problem = "--site needs a folder";
        } else {
            problem = "unknown option " + std::string(option);
        }
        if (!problem.empty()) {
            std::fprintf(stderr, "catalogue-server: %s\n\n%s", problem.c_str(), usage);
            return 2;
        }
    }

    httplib::Server server;
    server.Get("/kelvox/", [&](const httplib::Request& request, httplib::Response& response) {
        if (request.get_param_value("op") != "tl" || request.get_param_value("format") != "xml") {
            response.status = 404;
            return;
        }
        // Read on every request, so edits to the file show at the next refresh.
        auto text = mevara::TextFile::readUtf8(file);
        if (!text) {
            response.status = 500;
            return;
        }
        response.set_content(*text, "text/xml; charset=utf-8");
    });
    if (!site.empty()) {
        if (!server.set_mount_point("/", site)) {
            std::fprintf(stderr, "catalogue-server: no folder %s\n", site.c_str());
            return 2;
        }
        for (const auto& [extension, type] : siteTypes)
            server.set_file_extension_and_mimetype_mapping(extension, type);
        // Every reload asks again, so a fresh build shows without clearing the cache.
        server.set_file_request_handler([](const httplib::Request&, httplib::Response& response) {
            response.set_header("Cache-Control", "no-cache");
        });
    }
    // Not the library's SO_REUSEPORT, under which a second server shares a taken port
    // silently; bound before the address is printed, so a taken port is told.
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    if (!server.bind_to_port("127.0.0.1", port)) {
        std::fprintf(stderr, "catalogue-server: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    if (site.empty())
        std::printf("serving %s at http://127.0.0.1:%d/kelvox/?op=tl&format=xml\n", file.c_str(),
                    port);
    else
        std::printf("serving %s at http://127.0.0.1:%d/ with the catalogue %s\n", site.c_str(),
                    port, file.c_str());
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
