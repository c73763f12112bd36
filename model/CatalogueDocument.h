#pragma once

#include <string_view>

namespace mevara {

// Decides whether a fetched body may replace the cached catalogue. Reading stays
// lenient (any line with the attributes is an entry); what is cached must be a
// catalogue in the shipped file's shape, so that an error page that happens to
// hold the attribute text never takes the doses away:
//
//   <?xml version='1.0' encoding='UTF-8'?>     (optional)
//   <tests>
//   <test location='Chest' name='CT' milliseverts='7'/>
//   ...
//   </tests>
//
// One element per line, blank lines allowed, each entry with exactly the three
// single-quoted attributes in any order, non-empty texts and a dose that is a
// finite number >= 0, at least one entry, and nothing that the lenient reader
// would read differently.
class CatalogueDocument {
public:
    static bool isCatalogue(std::string_view text);
};

} // namespace mevara
