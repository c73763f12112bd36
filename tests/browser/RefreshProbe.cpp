// The catalogue refresh as the browser build makes it (fetch, then the same rules as the
// desktop), reachable from a JavaScript test.
#include "app/CatalogueRefresher.h"
#include "model/TestData.h"
#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "platform/web/Fetch.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace {

using namespace mevara;

void useFolders(const std::string& root) {
    Directories folders = Directories::defaults();
    folders.documents = root + "/Documents";
    folders.caches = root + "/Caches";
    Directories::configure(folders);
}

// `answered(taken)` once the answer is in and the rules have judged it.
void refresh(const std::string& serviceUrl, int timeoutMs, emscripten::val answered) {
    web::fetchBytes(TestData::requestUrl(serviceUrl), std::chrono::milliseconds(timeoutMs),
                    TestData::refreshSizeLimit, [answered](HttpResponse response) {
                        answered(TestData::acceptRefresh(response));
                    });
}

// The application's refresher: started, then perhaps cancelled before the answer comes.
std::unique_ptr<CatalogueRefresher>& refresher() {
    static std::unique_ptr<CatalogueRefresher> kept;
    return kept;
}

void startRefresher(const std::string& serviceUrl) {
    if (!refresher()) refresher() = std::make_unique<CatalogueRefresher>(std::chrono::seconds(5));
    refresher()->start(serviceUrl);
}

void cancelRefresher() {
    if (refresher()) refresher()->cancelAll();
}

int runningRefreshes() {
    return refresher() ? static_cast<int>(refresher()->runningCount()) : 0;
}

std::string cached() {
    return TextFile::readUtf8(TestData::cachedPath()).value_or("<none>");
}

} // namespace

EMSCRIPTEN_BINDINGS(refresh_probe) {
    emscripten::function("useFolders", &useFolders);
    emscripten::function("refresh", &refresh);
    emscripten::function("cached", &cached);
    emscripten::function("startRefresher", &startRefresher);
    emscripten::function("cancelRefresher", &cancelRefresher);
    emscripten::function("runningRefreshes", &runningRefreshes);
}
