#pragma once

#include "toolkit/ScrollView.h"

#include <memory>
#include <optional>
#include <vector>

namespace mevara {

class TableView;

struct IndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

enum class TableViewScrollPosition { None, Top, Middle, Bottom };
enum class SeparatorStyle { None, SingleLine };

// One row's view, built fresh by the screen. A selected cell shows a blue highlight and
// its labels switch to their highlighted colour.
class TableViewCell : public View {
public:
    TableViewCell();
    explicit TableViewCell(Rect frame);
    std::string className() const override { return "TableViewCell"; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected, bool animated = false);
    bool selectsWithHighlight() const { return selectionStyle_; }
    void setSelectsWithHighlight(bool on) { selectionStyle_ = on; }

protected:
    // A row reads its labels as one sentence.
    bool defaultIsAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override;
    unsigned defaultAccessibilityTraits() const override;

private:
    std::shared_ptr<View> selection_;
    bool selected_ = false;
    bool selectionStyle_ = true;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int tableViewNumberOfRowsInSection(TableView& table, int section) = 0;
    virtual std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                          IndexPath path) = 0;
};

class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) = 0;
};

// A plain list of one section with rows of one height. The data source and delegate are
// not held.
class TableView : public ScrollView {
public:
    TableView();
    explicit TableView(Rect frame);
    std::string className() const override { return "TableView"; }

    // The rows are asked for on first use (shown, touched or queried), as the platform
    // loads a table when it first lays it out, and again at each reload.
    void setDataSource(std::weak_ptr<TableViewDataSource> source);
    void setDelegate(std::weak_ptr<TableViewDelegate> delegate) { delegate_ = std::move(delegate); }
    float rowHeight() const { return rowHeight_; }
    void setRowHeight(float height);
    Color separatorColor() const { return separatorColor_; }
    void setSeparatorColor(Color color);
    SeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(SeparatorStyle style);

    // Asks the data source again for every row; the selection is dropped.
    void reloadData();
    void layoutIfNeeded() override;
    int numberOfRows();
    // The rows loaded so far, without asking the data source.
    int loadedRowCount() const { return static_cast<int>(cells_.size()); }
    std::shared_ptr<TableViewCell> cellForRowAtIndexPath(IndexPath path);
    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    std::optional<IndexPath> indexPathForRowAtPoint(Point contentPoint);
    Rect rectForRowAtIndexPath(IndexPath path) const;
    void selectRowAtIndexPath(IndexPath path, bool animated,
                              TableViewScrollPosition position = TableViewScrollPosition::None);
    void deselectRowAtIndexPath(IndexPath path, bool animated);
    // "Middle" puts the row's centre at the table's centre, kept within the content.
    void scrollToRowAtIndexPath(IndexPath path, TableViewScrollPosition position, bool animated);

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;
    void layoutSubviews() override;
    void tappedAt(Point location) override;
    void pressedAt(Point location) override;
    void pressEnded() override;

private:
    void placeCells();
    void loadIfNeeded();

    std::weak_ptr<TableViewDataSource> dataSource_;
    std::weak_ptr<TableViewDelegate> delegate_;
    float rowHeight_ = 44;
    Color separatorColor_ = Color::white(0.88f);
    SeparatorStyle separatorStyle_ = SeparatorStyle::SingleLine;
    std::vector<std::shared_ptr<TableViewCell>> cells_;
    std::optional<IndexPath> selected_;
    std::optional<int> pressed_;
    bool loaded_ = false;
};

} // namespace mevara
