// A local catalogue service for trying the refresh by hand: answers the
// catalogue request with a file (the shipped catalogue by default).
#include "platform/Directories.h"
#include "platform/TextFile.h"

#include <charconv>
#include <cstdio>
#include <httplib.h>
#include <string>
#include <string_view>

namespace {

const char* const usage = "Usage: catalogue-server [options]\n"
                          "\n"
                          "  --port N       listen on 127.0.0.1:N (default 8080)\n"
                          "  --file PATH    the catalogue to answer with, read afresh on every\n"
                          "                 request (default: the shipped testlist.xml)\n"
                          "  --help         this text\n";

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
    std::printf("serving %s at http://127.0.0.1:%d/kelvox/?op=tl&format=xml\n", file.c_str(), port);
    std::fflush(stdout);
    return server.listen("127.0.0.1", port) ? 0 : 1;
}
