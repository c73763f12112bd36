#include "report/DoseReport.h"

#include "comparisons/BarGeometry.h"
#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "comparisons/Comparison.h"
#include "model/Test.h"
#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/LocaleFormat.h"
#include "platform/TextFile.h"
#include "report/ReportFlow.h"
#include "toolkit/Application.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/cairo/PdfDocument.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <regex>
#include <set>

namespace mevara {
namespace {

constexpr Color heading = Color::rgb(0.071f, 0.329f, 0.635f); // the screens' #1254A2
constexpr Color body = Color::white(0.13f);
constexpr Color quiet = Color::white(0.42f);
constexpr Color rule = Color::rgb(0.86f, 0.906f, 0.953f);
constexpr float margin = 50;
constexpr float rowHeight = 17;
constexpr float barHeight = 16;
constexpr float labelColumn = 150;

std::shared_ptr<Label> text(Rect frame, const std::string& words, float size, Color color,
                            bool bold = false, TextAlignment alignment = TextAlignment::Left) {
    auto label = std::make_shared<Label>(frame);
    label->setText(words);
    label->setFont(bold ? Font::boldSystemFont(size) : Font::systemFont(size));
    label->setTextColor(color);
    label->setTextAlignment(alignment);
    return label;
}

// A block holding one wrapped paragraph, as tall as its lines.
std::shared_ptr<View> paragraph(float width, const std::string& words, float size, Color color,
                                bool bold = false) {
    auto label = text({0, 0, width, 0}, words, size, color, bold);
    label->setNumberOfLines(0);
    label->setLineBreakMode(LineBreakMode::WordWrap);
    const float height = label->sizeOfText(words, {width, 9999}).height + 2;
    label->setFrame({0, 0, width, height});
    auto block = std::make_shared<View>(Rect{0, 0, width, height});
    block->addSubview(label);
    return block;
}

std::shared_ptr<View> line(float width, float height) {
    return std::make_shared<View>(Rect{0, 0, width, height});
}

std::shared_ptr<View> sectionHeading(float width, const std::string& words) {
    auto block = line(width, 22);
    block->addSubview(text({0, 0, width, 18}, words, 13, heading, true));
    auto under = std::make_shared<View>(Rect{0, 19, width, 1});
    under->setBackgroundColor(rule);
    block->addSubview(under);
    return block;
}

// Test type, body part, number, date, dose: the columns of the tests table.
std::array<Rect, 5> columns(float width, float height) {
    return {Rect{0, 0, 110, height}, Rect{114, 0, width - 344, height},
            Rect{width - 226, 0, 50, height}, Rect{width - 170, 0, 90, height},
            Rect{width - 76, 0, 76, height}};
}

std::shared_ptr<View> testRow(float width, const std::array<std::string, 5>& cells, bool head) {
    auto block = line(width, rowHeight);
    const auto frames = columns(width, rowHeight);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const bool number = i == 2 || i == 4;
        auto cell = text(frames[i], cells[i], 9.5f, head ? quiet : body, head,
                         number ? TextAlignment::Right : TextAlignment::Left);
        // A long body part shrinks before it is cut short.
        cell->setAdjustsFontSizeToFitWidth(true);
        cell->setMinimumFontSize(7);
        block->addSubview(cell);
    }
    auto under = std::make_shared<View>(Rect{0, rowHeight - 1, width, 0.5f});
    under->setBackgroundColor(head ? Color::white(0.6f) : rule);
    block->addSubview(under);
    return block;
}

// The phone's three bars against one reference, scaled as the phone scales them.
std::shared_ptr<View> comparisonChart(float width, const std::string& caption,
                                      const std::string& name, float total, float average,
                                      float reference) {
    auto block = line(width, 104);
    block->addSubview(text({0, 0, width, 16}, caption, 10.5f, heading, true));
    const float scale =
        BarScale::scaleFor(std::max({total, average, reference}), BarScale::sequence.back());
    const float barX = labelColumn + 6;
    const float full = static_cast<float>(HandsetBars::fullLength);
    const auto ticks = BarScale::tickValues(scale);
    for (int k = 0; k <= 5; ++k) {
        const float x = barX + full * static_cast<float>(k) / 5;
        auto grid = std::make_shared<View>(Rect{x, 20, 0.75f, 62});
        grid->setBackgroundColor(rule);
        block->addSubview(grid);
        const std::string tick = k == 0 ? "0" : ChartText::shortText(ticks[k - 1]);
        block->addSubview(text({x - 25, 84, 50, 12}, tick, 8, quiet, false, TextAlignment::Center));
    }
    block->addSubview(text({barX + full + 20, 84, 40, 12}, "mSv", 8, quiet));
    struct Bar {
        const char* name;
        const char* picture;
        float value;
        std::string valueText;
    };
    const Bar bars[] = {
        {"Your total", "bar-green", total, ChartText::twoDecimalText(total)},
        {"Average for your age range", "bar-orange", average, ChartText::shortText(average)},
        {name.c_str(), "bar-red", reference, ChartText::shortText(reference)},
    };
    float y = 22;
    for (const Bar& bar : bars) {
        block->addSubview(text({0, y, labelColumn, barHeight}, bar.name, 9.5f, body));
        auto picture = std::make_shared<ImageView>(
            HandsetBars::barFrame({barX, y, 0, barHeight}, bar.value, scale));
        picture->setImage(Image::named(bar.picture));
        block->addSubview(picture);
        block->addSubview(text({barX + full + 8, y, width - barX - full - 8, barHeight},
                               bar.valueText + " mSv", 9.5f, body, true));
        y += barHeight + 4;
    }
    return block;
}

// "a; b; a" from the rows of the shipped sources file for the recorded tests, each once.
std::vector<std::string> testSources(const UserData& data) {
    std::vector<std::string> found;
    std::ifstream csv(Directories::current().resources / "catalogue-sources.csv");
    std::set<std::string> wanted;
    for (const auto& t : data.tests())
        wanted.insert(t->testName().value_or("") + "|" + t->location().value_or(""));
    for (std::string row; std::getline(csv, row);) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (char c : row) {
            if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                fields.emplace_back();
            else
                fields.back() += c;
        }
        if (fields.size() != 4 || !wanted.contains(fields[0] + "|" + fields[1])) continue;
        if (fields[3] == "no ionizing radiation") continue;
        std::size_t start = 0;
        while (start < fields[3].size()) {
            std::size_t end = fields[3].find("; ", start);
            if (end == std::string::npos) end = fields[3].size();
            std::string source = fields[3].substr(start, end - start);
            if (std::find(found.begin(), found.end(), source) == found.end())
                found.push_back(source);
            start = end + 2;
        }
    }
    return found;
}

// The caution the first-start notice shows, from the page that holds it.
std::string caution() {
    const auto page =
        TextFile::readUtf8(Directories::current().resources / "html" / "Information.html");
    std::smatch match;
    if (!page ||
        !std::regex_search(*page, match, std::regex(R"re(<p id="disclaimer">([^<]*)</p>)re")))
        return "";
    std::string words = match[1];
    for (auto [entity, character] : {std::pair{"&nbsp;", " "}, std::pair{"&amp;", "&"}})
        for (std::size_t at; (at = words.find(entity)) != std::string::npos;)
            words.replace(at, std::string_view(entity).size(), character);
    return words;
}

std::string isoTime(Date date) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(date));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

} // namespace

std::optional<std::string> DoseReport::whyNot(const UserData& data) {
    if (data.gender().empty() || data.age().empty())
        return "the profile has no gender and age range yet: open Mevara and fill in About Me";
    return std::nullopt;
}

Size DoseReport::pageSize() {
    const std::string locale = LocaleFormat::locale();
    const std::string region = locale.size() >= 5 ? locale.substr(3, 2) : "";
    for (const char* letter : {"US", "CA", "MX", "PH", "CL", "CO", "VE"})
        if (region == letter) return {612, 792};
    return {595.28f, 841.89f};
}

std::vector<std::shared_ptr<View>> DoseReport::pages(const UserData& data, Date made) {
    const Size page = pageSize();
    ReportFlow flow(page, margin);
    const float width = flow.width();

    auto title = line(width, 46);
    title->addSubview(
        text({0, 0, width, 26}, "Radiation dose from medical imaging", 20, heading, true));
    title->addSubview(text(
        {0, 27, width, 16},
        "A personal record made with Mevara on " + LocaleFormat::mediumDateText(made), 10, quiet));
    flow.add(title);
    flow.space(6);
    flow.add(paragraph(width,
                       "Gender: " + data.gender() + "     Age range: " + data.age() +
                           "     Tests recorded: " + std::to_string(data.tests().size()),
                       11, body, true));
    flow.space(12);

    flow.add(sectionHeading(width, "Recorded imaging tests"));
    auto head = [width] {
        return testRow(width, {"Test type", "Body part", "Number", "Date", "Dose (mSv)"}, true);
    };
    flow.add(head());
    if (data.tests().empty()) flow.add(paragraph(width, "No tests are recorded.", 9.5f, body));
    for (const auto& t : data.tests())
        flow.add(testRow(width,
                         {t->testName().value_or(""), t->location().value_or(""),
                          std::to_string(t->numberOfTests()),
                          t->date() ? LocaleFormat::mediumDateText(*t->date()) : "not given",
                          ChartText::twoDecimalText(t->milliseverts())},
                         false),
                 head);
    flow.space(8);
    const float total = data.total();
    flow.add(paragraph(width, "Total estimated dose: " + ChartText::twoDecimalText(total) + " mSv",
                       12, body, true));
    flow.add(paragraph(width,
                       "About " + ChartText::shortText(ChartText::monthsOfNaturalExposure(total)) +
                           " months of natural background radiation, or " +
                           ChartText::shortText(ChartText::chestXrays(total)) +
                           " single-view (front) chest x-rays.",
                       10, body));
    flow.space(14);

    flow.add(sectionHeading(width, "The total beside the average for the age range and familiar "
                                   "references"));
    const float average = data.averageExposureForAge();
    struct Reference {
        Comparison comparison;
        const char* caption;
        const char* name;
    };
    for (const Reference& r :
         {Reference{Comparison::Flights, "40 cross-country flights", "Flights"},
          Reference{Comparison::NaturalExposure, "A year of natural background radiation",
                    "Natural background"},
          Reference{Comparison::NuclearStressTest, "A nuclear stress test", "Nuclear stress test"},
          Reference{Comparison::Chernobyl,
                    "Chernobyl workers during the disaster and initial response",
                    "Chernobyl workers"}}) {
        const float value = *ComparisonReferences::reference(r.comparison).milliseverts;
        flow.add(comparisonChart(
            width, std::string(r.caption) + ": " + ChartText::shortText(value) + " mSv", r.name,
            total, average, value));
        flow.space(4);
    }
    auto risk = line(width, 48);
    auto band = std::make_shared<ImageView>(Rect{0, 2, 13, 42});
    band->setImage(Image::named("cancer-risk-gradient"));
    risk->addSubview(band);
    risk->addSubview(text({22, 0, width - 22, 16}, "Cancer risk", 10.5f, heading, true));
    auto statement = text({22, 16, width - 22, 30},
                          "10 mSv from medical imaging: about 1 extra chance in 1,000 of cancer "
                          "over a lifetime (estimate). The band shows only that the estimated risk "
                          "grows with dose; it marks no threshold.",
                          9.5f, body);
    statement->setNumberOfLines(2);
    statement->setLineBreakMode(LineBreakMode::WordWrap);
    risk->addSubview(statement);
    flow.add(risk);
    flow.space(14);

    flow.add(sectionHeading(width, "Where the figures come from"));
    const std::string fixed[] = {
        "Each test's dose is the typical effective dose of one such test for an average adult, "
        "times the number of tests.",
        "Average for the age range: 0.5 mSv per year of age (National Research Council, BEIR VII, "
        "2006). That figure describes US medical imaging of the early 1980s; today's average is "
        "about 2.3 to 3 mSv a year (NCRP Reports No. 160, 2009, and No. 184, 2019), so the "
        "average bar is several times lower than one built on today's figures.",
        "40 cross-country flights of 2,500 miles: 0.01 mSv per 1,000 miles (BEIR VII, 2006). "
        "Natural background: 3 mSv a year, 0.25 mSv a month (NCRP Report No. 160). Nuclear "
        "stress test: 15.6 mSv (Fazel et al., N Engl J Med 2009;361:849-857). Chernobyl workers: "
        "200 mSv (BEIR VII, 2006). Cancer risk: BEIR VII (2006), an estimate for large groups, "
        "not a prediction for one person. A single-view (front) chest x-ray: 0.02 mSv (Mettler "
        "et al., Radiology 2008).",
    };
    for (const std::string& words : fixed) {
        flow.add(paragraph(width, words, 9, body));
        flow.space(3);
    }
    const auto sources = testSources(data);
    if (!sources.empty()) {
        flow.add(paragraph(width, "Sources of the recorded tests' doses:", 9, body, true));
        for (const std::string& source : sources)
            flow.add(paragraph(width, "\u2022 " + source, 8.5f, body));
    }
    flow.space(12);
    flow.add(sectionHeading(width, "Please note"));
    flow.add(paragraph(width, caution(), 9.5f, body));
    return flow.finish("Mevara record of " + LocaleFormat::mediumDateText(made));
}

std::optional<std::string> DoseReport::write(const UserData& data,
                                             const std::filesystem::path& path, Date made) {
    if (auto why = whyNot(data)) return "no report: " + *why;
    PdfMetadata metadata{"Radiation dose from medical imaging", "",
                         "A personal record of medical imaging tests", "Mevara", isoTime(made)};
    const auto bytes = pdfDocument(pages(data, made), Application::shared().fonts(), metadata);
    if (!bytes) return "the PDF could not be made";
    if (!TextFile::writeAtomically(path, *bytes)) return "cannot write " + path.string();
    return std::nullopt;
}

} // namespace mevara
