// A local catalogue service for trying the refresh by hand: answers the
// catalogue request with a file (the shipped catalogue by default).
//   catalogue-server [--port N] [--file PATH]
#include "platform/Directories.h"
#include "platform/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <httplib.h>
#include <string>

int main(int argc, char** argv) {
    int port = 8080;
    std::string file = (mevara::Directories::defaults().resources / "testlist.xml").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--port")
            port = std::atoi(argv[i + 1]);
        else if (option == "--file")
            file = argv[i + 1];
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
