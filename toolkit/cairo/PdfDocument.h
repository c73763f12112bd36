#pragma once

#include "toolkit/Font.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class View;

struct PdfMetadata {
    std::string title, author, subject, creator;
    // ISO 8601, such as "2026-12-06T18:15:00".
    std::string created;
};

// The bytes of a PDF with one page per view, each page the size of its view's frame in
// points, or nothing when cairo fails.
std::optional<std::string> pdfDocument(const std::vector<std::shared_ptr<View>>& pages,
                                       const FontEngine& fonts, const PdfMetadata& metadata);

} // namespace mevara
