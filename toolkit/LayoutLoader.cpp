#include "toolkit/LayoutLoader.h"

#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/Switch.h"
#include "toolkit/TableView.h"
#include "toolkit/ViewController.h"
#include "toolkit/WebView.h"

#include <functional>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

namespace mevara {
namespace {

using Json = nlohmann::json;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw LayoutError(where + ": " + what);
}

float number(const Json& value, const std::string& where) {
    if (!value.is_number()) fail(where, "expected a number");
    return value.get<float>();
}

std::string text(const Json& value, const std::string& where) {
    if (!value.is_string()) fail(where, "expected a string");
    return value.get<std::string>();
}

bool flag(const Json& value, const std::string& where) {
    if (!value.is_boolean()) fail(where, "expected true or false");
    return value.get<bool>();
}

std::vector<float> numbers(const Json& value, std::size_t count, const std::string& where) {
    if (!value.is_array() || value.size() != count)
        fail(where, "expected " + std::to_string(count) + " numbers");
    std::vector<float> result;
    for (const auto& v : value)
        result.push_back(number(v, where));
    return result;
}

Rect rect(const Json& value, const std::string& where) {
    if (value.is_string()) return rectFromString(value.get<std::string>());
    auto v = numbers(value, 4, where);
    return {v[0], v[1], v[2], v[3]};
}

Color color(const Json& value, const std::string& where) {
    if (value.is_string()) {
        static const std::map<std::string, Color> named{
            {"black", Color::black()},        {"white", Color::white()},
            {"clear", Color::clear()},        {"blue", Color::blue()},
            {"gray", Color::gray()},          {"darkGray", Color::darkGray()},
            {"lightGray", Color::lightGray()}};
        const auto name = value.get<std::string>();
        if (auto it = named.find(name); it != named.end()) return it->second;
        if (name.size() == 7 && name[0] == '#') {
            const unsigned long rgb = std::stoul(name.substr(1), nullptr, 16);
            return Color::rgb(((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f,
                              (rgb & 0xFF) / 255.0f);
        }
        fail(where, "unknown colour \"" + name + "\"");
    }
    if (value.is_object() && value.contains("white")) {
        return Color::white(number(value["white"], where),
                            value.contains("alpha") ? number(value["alpha"], where) : 1);
    }
    if (value.is_array() && (value.size() == 3 || value.size() == 4)) {
        auto v = numbers(value, value.size(), where);
        return Color::rgb(v[0], v[1], v[2], v.size() == 4 ? v[3] : 1);
    }
    fail(where, "expected a colour");
}

std::optional<Font> font(const Json& value, const std::string& where) {
    if (!value.is_array() || value.size() != 2) fail(where, "expected [name, size]");
    return Font::named(text(value[0], where), number(value[1], where));
}

std::shared_ptr<const Image> image(const Json& value, const std::string& where,
                                   LayoutReport& report) {
    Json name = value;
    Json caps;
    if (value.is_object()) {
        for (auto& [key, _] : value.items())
            if (key != "name" && key != "caps") fail(where, "unknown image key \"" + key + "\"");
        name = value.value("name", Json());
        caps = value.value("caps", Json());
    }
    auto picture = Image::named(text(name, where));
    if (!picture) {
        report.missingPictures.push_back(name.get<std::string>());
        return nullptr;
    }
    if (!caps.is_null()) {
        auto c = numbers(caps, 2, where);
        picture = picture->stretchableImage(static_cast<int>(c[0]), static_cast<int>(c[1]));
    }
    return picture;
}

class Builder {
public:
    Builder(ViewController& owner, LayoutReport& report)
        : owner(owner), names(owner.bindings()), report(report) {}

    std::shared_ptr<View> build(const Json& node, const std::string& where) {
        if (!node.is_object()) fail(where, "expected an object");
        const std::string kind = node.value("class", std::string("View"));
        std::shared_ptr<View> view = make(kind, where);
        std::set<std::string> known{"class",
                                    "outlet",
                                    "frame",
                                    "tag",
                                    "alpha",
                                    "hidden",
                                    "backgroundColor",
                                    "opaque",
                                    "autoresizing",
                                    "userInteraction",
                                    "clipsToBounds",
                                    "subviews",
                                    "name",
                                    "accessibilityLabel",
                                    "accessibilityHint",
                                    "accessibilityValue",
                                    "accessibilityTraits",
                                    "accessibilityElement",
                                    "accessibilityModal"};
        const std::string here = where + "/" + node.value("outlet", node.value("name", kind));
        common(*view, node, here);
        if (auto label = std::dynamic_pointer_cast<Label>(view))
            labelKeys(*label, node, here, known);
        if (auto button = std::dynamic_pointer_cast<Button>(view))
            buttonKeys(*button, node, here, known);
        if (auto imageView = std::dynamic_pointer_cast<ImageView>(view))
            imageKeys(*imageView, node, here, known);
        if (auto table = std::dynamic_pointer_cast<TableView>(view))
            tableKeys(*table, node, here, known);
        if (auto toggle = std::dynamic_pointer_cast<Switch>(view)) {
            known.insert({"on", "action"});
            if (node.contains("on")) toggle->setOn(flag(node["on"], here));
            if (node.contains("action"))
                wire(*toggle, ControlEvent::ValueChanged, node["action"], here);
        }
        for (auto& [key, _] : node.items())
            if (!known.count(key)) fail(here, "unknown key \"" + key + "\" for " + kind);
        if (node.contains("outlet")) {
            const auto name = text(node["outlet"], here);
            if (!names.hasOutlet(name)) fail(here, "no outlet \"" + name + "\"");
            if (!names.setOutlet(name, view))
                fail(here, "outlet \"" + name + "\" is not a " + kind);
        }
        if (node.contains("subviews")) {
            if (!node["subviews"].is_array()) fail(here, "subviews must be a list");
            for (const auto& sub : node["subviews"])
                view->addSubview(build(sub, here));
        }
        return view;
    }

private:
    static std::shared_ptr<View> make(const std::string& kind, const std::string& where) {
        static const std::map<std::string, std::function<std::shared_ptr<View>()>> classes{
            {"View", [] { return std::make_shared<View>(); }},
            {"Label", [] { return std::make_shared<Label>(); }},
            {"Button", [] { return std::make_shared<Button>(); }},
            {"ImageView", [] { return std::make_shared<ImageView>(); }},
            {"TableView", [] { return std::make_shared<TableView>(); }},
            {"WebView", [] { return std::make_shared<WebView>(); }},
            {"Switch", [] { return std::make_shared<Switch>(); }},
        };
        auto it = classes.find(kind);
        if (it == classes.end()) fail(where, "unknown class \"" + kind + "\"");
        return it->second();
    }

    static void accessibilityKeys(View& view, const Json& node, const std::string& here) {
        if (node.contains("accessibilityLabel"))
            view.setAccessibilityLabel(text(node["accessibilityLabel"], here));
        if (node.contains("accessibilityHint"))
            view.setAccessibilityHint(text(node["accessibilityHint"], here));
        if (node.contains("accessibilityValue"))
            view.setAccessibilityValue(text(node["accessibilityValue"], here));
        if (node.contains("accessibilityElement"))
            view.setIsAccessibilityElement(flag(node["accessibilityElement"], here));
        if (node.contains("accessibilityModal"))
            view.setAccessibilityViewIsModal(flag(node["accessibilityModal"], here));
        if (node.contains("accessibilityTraits")) {
            static const std::map<std::string, unsigned> traits{
                {"button", TraitButton},        {"header", TraitHeader},
                {"text", TraitStaticText},      {"image", TraitImage},
                {"selected", TraitSelected},    {"not-enabled", TraitNotEnabled},
                {"adjustable", TraitAdjustable}};
            unsigned mask = 0;
            for (const auto& entry : node["accessibilityTraits"]) {
                auto it = traits.find(text(entry, here));
                if (it == traits.end()) fail(here, "unknown trait " + entry.dump());
                mask |= it->second;
            }
            view.setAccessibilityTraits(mask);
        }
    }

    void common(View& view, const Json& node, const std::string& here) {
        if (node.contains("name")) view.setName(text(node["name"], here));
        if (node.contains("outlet")) view.setName(text(node["outlet"], here));
        if (node.contains("frame")) view.setFrame(rect(node["frame"], here));
        if (node.contains("tag")) view.setTag(static_cast<int>(number(node["tag"], here)));
        if (node.contains("alpha")) view.setAlpha(number(node["alpha"], here));
        if (node.contains("hidden")) view.setHidden(flag(node["hidden"], here));
        if (node.contains("backgroundColor"))
            view.setBackgroundColor(color(node["backgroundColor"], here));
        if (node.contains("opaque")) view.setOpaque(flag(node["opaque"], here));
        if (node.contains("userInteraction"))
            view.setUserInteractionEnabled(flag(node["userInteraction"], here));
        if (node.contains("clipsToBounds"))
            view.setClipsToBounds(flag(node["clipsToBounds"], here));
        accessibilityKeys(view, node, here);
        if (node.contains("autoresizing")) {
            static const std::map<std::string, unsigned> masks{
                {"width", FlexibleWidth},     {"height", FlexibleHeight},
                {"left", FlexibleLeftMargin}, {"right", FlexibleRightMargin},
                {"top", FlexibleTopMargin},   {"bottom", FlexibleBottomMargin}};
            unsigned mask = 0;
            for (const auto& entry : node["autoresizing"]) {
                auto it = masks.find(text(entry, here));
                if (it == masks.end()) fail(here, "unknown autoresizing \"" + entry.dump() + "\"");
                mask |= it->second;
            }
            view.setAutoresizingMask(mask);
        }
    }

    static TextAlignment alignment(const Json& value, const std::string& here) {
        const auto name = text(value, here);
        if (name == "left") return TextAlignment::Left;
        if (name == "center") return TextAlignment::Center;
        if (name == "right") return TextAlignment::Right;
        fail(here, "unknown alignment \"" + name + "\"");
    }

    static LineBreakMode lineBreak(const Json& value, const std::string& here) {
        static const std::map<std::string, LineBreakMode> modes{
            {"wordWrap", LineBreakMode::WordWrap},
            {"characterWrap", LineBreakMode::CharacterWrap},
            {"clip", LineBreakMode::Clip},
            {"head", LineBreakMode::HeadTruncation},
            {"tail", LineBreakMode::TailTruncation},
            {"middle", LineBreakMode::MiddleTruncation}};
        auto it = modes.find(text(value, here));
        if (it == modes.end()) fail(here, "unknown line break \"" + value.dump() + "\"");
        return it->second;
    }

    void labelKeys(Label& label, const Json& node, const std::string& here,
                   std::set<std::string>& known) {
        known.insert({"text", "font", "textColor", "highlightedTextColor", "alignment", "lines",
                      "lineBreak", "shadowColor", "shadowOffset", "adjustsFontSize",
                      "minimumFontSize"});
        if (node.contains("text")) label.setText(text(node["text"], here));
        if (node.contains("font")) {
            auto f = font(node["font"], here);
            if (!f) fail(here, "unknown font " + node["font"].dump());
            label.setFont(f);
        }
        if (node.contains("textColor")) label.setTextColor(color(node["textColor"], here));
        if (node.contains("highlightedTextColor"))
            label.setHighlightedTextColor(color(node["highlightedTextColor"], here));
        if (node.contains("alignment")) label.setTextAlignment(alignment(node["alignment"], here));
        if (node.contains("lines"))
            label.setNumberOfLines(static_cast<int>(number(node["lines"], here)));
        if (node.contains("lineBreak")) label.setLineBreakMode(lineBreak(node["lineBreak"], here));
        if (node.contains("shadowColor")) label.setShadowColor(color(node["shadowColor"], here));
        if (node.contains("shadowOffset")) {
            auto v = numbers(node["shadowOffset"], 2, here);
            label.setShadowOffset({v[0], v[1]});
        }
        if (node.contains("adjustsFontSize"))
            label.setAdjustsFontSizeToFitWidth(flag(node["adjustsFontSize"], here));
        if (node.contains("minimumFontSize"))
            label.setMinimumFontSize(number(node["minimumFontSize"], here));
    }

    void stateKeys(Button& button, const Json& node, ControlState state, const std::string& here) {
        if (node.contains("title")) button.setTitle(text(node["title"], here), state);
        if (node.contains("titleColor"))
            button.setTitleColor(color(node["titleColor"], here), state);
        if (node.contains("titleShadowColor"))
            button.setTitleShadowColor(color(node["titleShadowColor"], here), state);
        if (node.contains("image")) button.setImage(image(node["image"], here, report), state);
        if (node.contains("backgroundImage"))
            button.setBackgroundImage(image(node["backgroundImage"], here, report), state);
    }

    void buttonKeys(Button& button, const Json& node, const std::string& here,
                    std::set<std::string>& known) {
        const std::set<std::string> perState{"title", "titleColor", "titleShadowColor", "image",
                                             "backgroundImage"};
        known.insert(perState.begin(), perState.end());
        known.insert({"highlighted", "font", "titleShadowOffset", "titleInsets", "imageInsets",
                      "enabled", "action", "titleLines", "imageAbove"});
        if (node.contains("titleLines"))
            button.setTitleNumberOfLines(static_cast<int>(number(node["titleLines"], here)));
        if (node.contains("imageAbove")) button.setImageAboveTitle(flag(node["imageAbove"], here));
        stateKeys(button, node, ControlState::Normal, here);
        if (node.contains("highlighted")) {
            const auto& look = node["highlighted"];
            if (!look.is_object()) fail(here, "highlighted must be an object");
            for (auto& [key, _] : look.items())
                if (!perState.count(key)) fail(here, "unknown highlighted key \"" + key + "\"");
            stateKeys(button, look, ControlState::Highlighted, here);
        }
        if (node.contains("font")) {
            auto f = font(node["font"], here);
            if (!f) fail(here, "unknown font " + node["font"].dump());
            button.setTitleFont(*f);
        }
        if (node.contains("titleShadowOffset")) {
            auto v = numbers(node["titleShadowOffset"], 2, here);
            button.setTitleShadowOffset({v[0], v[1]});
        }
        auto insets = [&](const char* key) {
            auto v = numbers(node[key], 4, here);
            return EdgeInsets{v[0], v[1], v[2], v[3]};
        };
        if (node.contains("titleInsets")) button.setTitleEdgeInsets(insets("titleInsets"));
        if (node.contains("imageInsets")) button.setImageEdgeInsets(insets("imageInsets"));
        if (node.contains("enabled")) button.setEnabled(flag(node["enabled"], here));
        if (node.contains("action"))
            wire(button, ControlEvent::TouchUpInside, node["action"], here);
    }

    void imageKeys(ImageView& view, const Json& node, const std::string& here,
                   std::set<std::string>& known) {
        known.insert({"image", "contentStretch", "contentMode"});
        if (node.contains("image")) view.setImage(image(node["image"], here, report));
        if (node.contains("contentStretch"))
            view.setContentStretch(rect(node["contentStretch"], here));
        if (node.contains("contentMode")) {
            const auto mode = text(node["contentMode"], here);
            if (mode == "scaleToFill")
                view.setContentMode(ContentMode::ScaleToFill);
            else if (mode == "aspectFit")
                view.setContentMode(ContentMode::ScaleAspectFit);
            else if (mode == "center")
                view.setContentMode(ContentMode::Center);
            else
                fail(here, "unknown content mode \"" + mode + "\"");
        }
    }

    void tableKeys(TableView& table, const Json& node, const std::string& here,
                   std::set<std::string>& known) {
        known.insert({"rowHeight", "separatorColor", "separatorStyle", "bounces", "scrollEnabled",
                      "dataSource", "delegate"});
        // The owner answers for the table, as a layout's connection to its owner does.
        if (node.contains("dataSource") && flag(node["dataSource"], here)) {
            auto source = std::dynamic_pointer_cast<TableViewDataSource>(owner.shared_from_this());
            if (!source) fail(here, "the owner is not a table data source");
            table.setDataSource(source);
        }
        if (node.contains("delegate") && flag(node["delegate"], here)) {
            auto delegate = std::dynamic_pointer_cast<TableViewDelegate>(owner.shared_from_this());
            if (!delegate) fail(here, "the owner is not a table delegate");
            table.setDelegate(delegate);
        }
        if (node.contains("rowHeight")) table.setRowHeight(number(node["rowHeight"], here));
        if (node.contains("separatorColor"))
            table.setSeparatorColor(color(node["separatorColor"], here));
        if (node.contains("separatorStyle")) {
            const auto style = text(node["separatorStyle"], here);
            if (style == "none")
                table.setSeparatorStyle(SeparatorStyle::None);
            else if (style == "singleLine")
                table.setSeparatorStyle(SeparatorStyle::SingleLine);
            else
                fail(here, "unknown separator style \"" + style + "\"");
        }
        if (node.contains("bounces")) table.setBounces(flag(node["bounces"], here));
        if (node.contains("scrollEnabled"))
            table.setScrollEnabled(flag(node["scrollEnabled"], here));
    }

    void wire(Control& control, ControlEvent event, const Json& value, const std::string& here) {
        const auto name = text(value, here);
        if (!names.hasAction(name)) fail(here, "no action \"" + name + "\"");
        std::weak_ptr<ViewController> target = owner.weak_from_this();
        control.addTarget(event, [target, name](Control& sender) {
            if (auto controller = target.lock())
                controller->perform(name,
                                    std::static_pointer_cast<View>(sender.shared_from_this()));
        });
    }

    ViewController& owner;
    const Bindings& names;
    LayoutReport& report;
};

} // namespace

std::filesystem::path LayoutLoader::path(const std::string& name) {
    return Directories::current().resources / "layouts" / (name + ".json");
}

bool LayoutLoader::exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(path(name), error);
}

std::shared_ptr<View> LayoutLoader::load(ViewController& owner, const std::string& name,
                                         LayoutReport* report) {
    const auto content = TextFile::readUtf8(path(name));
    if (!content) throw LayoutError(name + ": cannot read " + path(name).string());
    try {
        return fromText(owner, *content, report);
    } catch (const LayoutError& error) {
        throw LayoutError(name + error.what());
    }
}

std::shared_ptr<View> LayoutLoader::fromText(ViewController& owner, std::string_view json,
                                             LayoutReport* report) {
    Json node = Json::parse(json, nullptr, false);
    if (node.is_discarded()) throw LayoutError(": not valid JSON");
    try {
        LayoutReport own;
        auto view = Builder(owner, report ? *report : own).build(node, "");
        for (const auto& missing : own.missingPictures)
            std::cerr << "layout: no picture \"" << missing << "\"\n";
        if (view->frame().width == 0 && view->frame().height == 0) {
            const Size screen = Application::shared().screenSize();
            view->setFrame({0, 0, screen.width, screen.height});
        }
        return view;
    } catch (const Json::exception& error) {
        throw LayoutError(std::string(": ") + error.what());
    }
}

} // namespace mevara
