#pragma once

#include "platform/Geometry.h"
#include "toolkit/AlertView.h"
#include "toolkit/TableView.h"
#include "toolkit/ViewController.h"

#include <memory>
#include <string>

namespace mevara {

class Button;
class ImageView;
class Label;
class Switch;
class View;
class WebView;

// The toolkit's showcase: every kind of widget with the shipped pictures, a table, alerts,
// an animation, a page and a form sheet. Also a stand-in root that answers the shell's
// showDisclaimer and forceHome until the real screens take over.
class GalleryController : public ViewController,
                          public TableViewDataSource,
                          public TableViewDelegate,
                          public AlertViewDelegate {
public:
    static constexpr int rowCount = 15;
    static constexpr double boxDuration = 0.5;
    static constexpr double boxReturnDelay = 1.0;
    static constexpr double fadeDuration = 0.3;
    static constexpr float phoneRowHeight = 30;
    static constexpr float tabletRowHeight = 44;

    GalleryController();
    std::string className() const override { return "GalleryController"; }

    void viewDidLoad() override;
    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
    void willRotateToInterfaceOrientation(int orientation, double duration) override;

    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath path) override;
    void tableViewDidSelectRowAtIndexPath(TableView& table, IndexPath path) override;
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override;

    bool isShowingDisclaimer() const;

    // Where each part goes on a screen of `size`; the phone keeps the layout's frames.
    void arrange(Size screen);

    static const std::string noAnswerText;

protected:
    void bind(Bindings& bindings) override;

private:
    void askQuestion();
    void animateBox();
    void moveBoxBack();
    void presentSheet();
    void switchChanged();
    void showDisclaimer();
    void dismissDisclaimer();
    void forceHome();
    void loadPage();

    std::shared_ptr<View> header_;
    std::shared_ptr<ImageView> background_;
    std::shared_ptr<ImageView> textCard_;
    std::shared_ptr<View> buttonRow_;
    std::shared_ptr<View> switchRow_;
    std::shared_ptr<Switch> toggle_;
    std::shared_ptr<Label> switchLabel_;
    std::shared_ptr<Label> answerLabel_;
    std::shared_ptr<View> tablePanel_;
    std::shared_ptr<TableView> table_;
    std::shared_ptr<View> pagePanel_;
    std::shared_ptr<WebView> webView_;
    std::shared_ptr<ImageView> bubble_;
    std::shared_ptr<ImageView> animatedBox_;
    std::shared_ptr<View> disclaimerOverlay_;
    std::shared_ptr<View> disclaimerBox_;

    std::weak_ptr<AlertView> question_;
    // Where the box rests on the current screen.
    Rect boxHome_;
    unsigned fadeGeneration_ = 0;
};

// The small controller the gallery presents as a form sheet.
class GallerySheetController : public ViewController {
public:
    GallerySheetController();
    std::string className() const override { return "GallerySheetController"; }

protected:
    void bind(Bindings& bindings) override;
};

} // namespace mevara
