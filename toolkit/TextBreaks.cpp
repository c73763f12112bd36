#include "toolkit/TextBreaks.h"

namespace mevara {

std::vector<std::size_t> TextBreaks::all() {
    std::vector<std::size_t> result{0};
    while (result.back() < text_.size())
        result.push_back(following(result.back()));
    return result;
}

} // namespace mevara
