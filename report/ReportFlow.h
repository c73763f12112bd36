#pragma once

#include "platform/Geometry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mevara {

class View;

// Lays blocks (views of the content's width and their own height) down pages from the
// top, starting a page when the next block does not fit, and numbers the pages at the
// foot. A block never splits: long content comes as several blocks.
class ReportFlow {
public:
    using Header = std::function<std::shared_ptr<View>()>;

    ReportFlow(Size page, float margin);

    float width() const { return page_.width - 2 * margin_; }
    // `repeat`, when given, makes the block that goes first on a page this block opens
    // (a table's column heads above its continued rows).
    void add(std::shared_ptr<View> block, const Header& repeat = {});
    void space(float points);
    // The pages, each a white view of the page's size, with "<footer> · page N of M".
    std::vector<std::shared_ptr<View>> finish(const std::string& footer);

private:
    void newPage();

    Size page_;
    float margin_;
    float y_ = 0;
    std::vector<std::shared_ptr<View>> pages_;
};

} // namespace mevara
