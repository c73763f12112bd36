#include "toolkit/TableView.h"

#include "toolkit/Control.h"
#include "toolkit/Label.h"
#include "toolkit/Painter.h"
#include "toolkit/RunLoop.h"

#include <algorithm>
#include <cmath>

namespace mevara {
namespace {

void highlightLabels(View& view, bool on) {
    for (const auto& sub : view.subviews()) {
        if (auto label = std::dynamic_pointer_cast<Label>(sub)) label->setHighlighted(on);
        highlightLabels(*sub, on);
    }
}

} // namespace

TableViewCell::TableViewCell() : TableViewCell(Rect{0, 0, 320, 44}) {}

TableViewCell::TableViewCell(Rect frame) : View(frame) {
    setBackgroundColor(Color::white());
    selection_ = std::make_shared<View>(Rect{0, 0, frame.width, frame.height});
    selection_->setBackgroundColor(Color::rgb(0.02f, 0.45f, 0.93f));
    selection_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    selection_->setAlpha(0);
    selection_->setUserInteractionEnabled(false);
    addSubview(selection_);
}

namespace {

// The visible labels below `view`, in drawing order.
void collectTexts(const View& view, std::string& out) {
    for (const auto& sub : view.subviews()) {
        // Controls in a row are reached on their own.
        if (sub->isHidden() || sub->alpha() <= 0.01f || dynamic_cast<const Control*>(sub.get()))
            continue;
        if (sub->isAccessibilityElement()) {
            const std::string text = sub->accessibilityLabel();
            if (text.empty()) continue;
            if (!out.empty()) out += ", ";
            out += text;
            continue;
        }
        collectTexts(*sub, out);
    }
}

} // namespace

std::string TableViewCell::defaultAccessibilityLabel() const {
    std::string sentence;
    collectTexts(*this, sentence);
    return sentence;
}

unsigned TableViewCell::defaultAccessibilityTraits() const {
    return TraitButton | (selected_ ? TraitSelected : TraitNone);
}

void TableViewCell::setSelected(bool selected, bool animated) {
    selected_ = selected;
    const bool show = selected && selectionStyle_;
    // The highlight stays behind the cell's own content.
    sendSubviewToBack(selection_.get());
    auto& loop = RunLoop::main();
    if (animated) {
        loop.beginAnimations("cellSelection");
        loop.setAnimationDuration(0.3);
    }
    selection_->setAlpha(show ? 1 : 0);
    if (animated) loop.commitAnimations();
    highlightLabels(*this, show);
}

TableView::TableView() {
    setBackgroundColor(Color::white());
}

TableView::TableView(Rect frame) : ScrollView(frame) {
    setBackgroundColor(Color::white());
}

void TableView::setRowHeight(float height) {
    rowHeight_ = std::max(1.0f, height);
    placeCells();
}

void TableView::setSeparatorColor(Color color) {
    separatorColor_ = color;
    changed();
}

void TableView::setSeparatorStyle(SeparatorStyle style) {
    separatorStyle_ = style;
    placeCells();
}

void TableView::setDataSource(std::weak_ptr<TableViewDataSource> source) {
    dataSource_ = std::move(source);
    loaded_ = false;
}

void TableView::loadIfNeeded() {
    if (!loaded_ && !dataSource_.expired()) reloadData();
}

void TableView::layoutIfNeeded() {
    loadIfNeeded();
    ScrollView::layoutIfNeeded();
}

int TableView::numberOfRows() {
    loadIfNeeded();
    return static_cast<int>(cells_.size());
}

void TableView::reloadData() {
    loaded_ = true;
    for (auto& cell : cells_)
        cell->removeFromSuperview();
    cells_.clear();
    selected_.reset();
    pressed_.reset();
    auto source = dataSource_.lock();
    if (!source) {
        placeCells();
        return;
    }
    const int rows = std::max(0, source->tableViewNumberOfRowsInSection(*this, 0));
    for (int row = 0; row < rows; ++row) {
        auto cell = source->tableViewCellForRowAtIndexPath(*this, {0, row});
        if (!cell) cell = std::make_shared<TableViewCell>();
        cells_.push_back(cell);
        addSubview(cell);
    }
    placeCells();
}

void TableView::placeCells() {
    const float separator = separatorStyle_ == SeparatorStyle::SingleLine ? 1 : 0;
    for (std::size_t row = 0; row < cells_.size(); ++row)
        cells_[row]->setFrame(
            {0, rowHeight_ * static_cast<float>(row), frame().width, rowHeight_ - separator});
    setContentSize({frame().width, rowHeight_ * static_cast<float>(cells_.size())});
}

void TableView::layoutSubviews() {
    placeCells();
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(IndexPath path) {
    if (path.section != 0 || path.row < 0 || path.row >= numberOfRows()) return nullptr;
    return cells_[static_cast<std::size_t>(path.row)];
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point p) {
    if (p.y < 0) return std::nullopt;
    const int row = static_cast<int>(std::floor(p.y / rowHeight_));
    if (row >= numberOfRows()) return std::nullopt;
    return IndexPath{0, row};
}

Rect TableView::rectForRowAtIndexPath(IndexPath path) const {
    return {0, rowHeight_ * static_cast<float>(path.row), frame().width, rowHeight_};
}

void TableView::selectRowAtIndexPath(IndexPath path, bool animated,
                                     TableViewScrollPosition position) {
    if (selected_) deselectRowAtIndexPath(*selected_, false);
    auto cell = cellForRowAtIndexPath(path);
    if (!cell) return;
    selected_ = path;
    cell->setSelected(true, animated);
    if (position != TableViewScrollPosition::None) scrollToRowAtIndexPath(path, position, animated);
}

void TableView::deselectRowAtIndexPath(IndexPath path, bool animated) {
    if (auto cell = cellForRowAtIndexPath(path)) cell->setSelected(false, animated);
    if (selected_ == path) selected_.reset();
}

void TableView::scrollToRowAtIndexPath(IndexPath path, TableViewScrollPosition position,
                                       bool animated) {
    if (!cellForRowAtIndexPath(path)) return;
    const Rect row = rectForRowAtIndexPath(path);
    const float height = frame().height;
    float y = contentOffset().y;
    switch (position) {
    case TableViewScrollPosition::Top:
        y = row.y;
        break;
    case TableViewScrollPosition::Middle:
        y = row.y + row.height / 2 - height / 2;
        break;
    case TableViewScrollPosition::Bottom:
        y = row.maxY() - height;
        break;
    case TableViewScrollPosition::None:
        if (row.y < y)
            y = row.y;
        else if (row.maxY() > y + height)
            y = row.maxY() - height;
        break;
    }
    y = std::clamp(y, 0.0f, maximumOffset().y);
    setContentOffset({0, y}, animated);
}

void TableView::pressedAt(Point location) {
    if (auto path = indexPathForRowAtPoint(location)) pressed_ = path->row;
}

void TableView::pressEnded() {
    pressed_.reset();
}

void TableView::tappedAt(Point location) {
    auto path = indexPathForRowAtPoint(location);
    if (!path) return;
    selectRowAtIndexPath(*path, false);
    auto keep = weak_from_this().lock();
    if (auto delegate = delegate_.lock()) delegate->tableViewDidSelectRowAtIndexPath(*this, *path);
}

void TableView::draw(Painter& painter, const Rect& bounds, double time) const {
    View::draw(painter, bounds, time);
    if (separatorStyle_ != SeparatorStyle::SingleLine) return;
    // Like the platform's plain lists, the lines go on below the last row.
    const float top = contentOffset().y;
    const int first = std::max(0, static_cast<int>(std::floor(top / rowHeight_)));
    for (int row = first;; ++row) {
        const float y = rowHeight_ * static_cast<float>(row + 1) - 1 - top;
        if (y >= bounds.height) break;
        painter.fillRect({0, y, bounds.width, 1}, separatorColor_);
    }
}

} // namespace mevara
