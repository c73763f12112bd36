#include "toolkit/cairo/PdfDocument.h"

#include "toolkit/View.h"
#include "toolkit/cairo/CairoPainter.h"

#include <cairo-pdf.h>
#include <cairo.h>

namespace mevara {
namespace {

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::optional<std::string> pdfDocument(const std::vector<std::shared_ptr<View>>& pages,
                                       const FontEngine& fonts, const PdfMetadata& metadata) {
    if (pages.empty()) return std::nullopt;
    std::string bytes;
    CairoFaces faces;
    const Rect first = pages.front()->frame();
    cairo_surface_t* surface =
        cairo_pdf_surface_create_for_stream(append, &bytes, first.width, first.height);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, metadata.title.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_AUTHOR, metadata.author.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, metadata.subject.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, metadata.creator.c_str());
    if (!metadata.created.empty())
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                       metadata.created.c_str());
    cairo_t* context = cairo_create(surface);
    {
        CairoPainter painter(context, fonts, faces);
        for (const auto& page : pages) {
            const Rect frame = page->frame();
            cairo_pdf_surface_set_size(surface, frame.width, frame.height);
            painter.drawPage(*page);
            cairo_show_page(context);
        }
    }
    const bool ok = cairo_status(context) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(context);
    cairo_surface_finish(surface);
    const bool finished = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok || !finished) return std::nullopt;
    return bytes;
}

} // namespace mevara
