#include "PlistNesting.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace mevara::plistnesting {

namespace {

constexpr auto npos = std::string_view::npos;

// Steps through XML the way libplist's reader does. Wherever the reader would stop
// with an error, the scan may stop too: nothing after that point is ever built.
class XmlScanner {
public:
    explicit XmlScanner(std::string_view xml) : xml_(xml) {}

    bool fits(int maximumDepth) const {
        int depth = 0;
        std::size_t at = 0;
        while ((at = xml_.find('<', at)) != npos) {
            const std::string_view rest = xml_.substr(at + 1);
            std::size_t next = npos;
            if (rest.starts_with('?')) {
                next = past(findText(at + 1, "?>", true), 2);
            } else if (rest.starts_with("!--")) {
                next = past(xml_.find("-->", at + 4), 3);
            } else if (rest.starts_with("![CDATA[")) {
                next = past(xml_.find("]]>", at + 9), 3);
            } else if (rest.starts_with("!DOCTYPE")) {
                const std::size_t stop = findAny(at + 9, "[>", true);
                next = stop == npos || xml_[stop] == '>' ? past(stop, 1)
                                                         : past(findText(stop, "]>", true), 2);
            } else if (rest.starts_with('!')) {
                return true;
            } else {
                const std::size_t nameEnd = findAny(at + 1, " \r\n\t<>", false);
                if (nameEnd == npos) return true;
                const std::size_t end =
                    xml_[nameEnd] == '>' ? nameEnd : findAny(nameEnd, "<>", true);
                if (end == npos || xml_[end] != '>') return true;
                std::string_view name = xml_.substr(at + 1, nameEnd - at - 1);
                const bool empty = xml_[end - 1] == '/';
                // "<array/>": the reader drops the slash from the name it read.
                if (empty && end == nameEnd && !name.empty()) name.remove_suffix(1);
                // An empty one at the top takes in whatever follows, as if left open.
                if ((name == "dict" || name == "array") && (!empty || depth == 0) &&
                    ++depth > maximumDepth)
                    return false;
                if ((name == "/dict" || name == "/array") && --depth < 0) return false;
                next = end + 1;
            }
            if (next == npos) return true;
            at = next;
        }
        return true;
    }

private:
    static std::size_t past(std::size_t found, std::size_t length) {
        return found == npos ? npos : found + length;
    }

    // The reader steps over double-quoted text in tags, processing instructions and the
    // document type; an unclosed quote ends its reading.
    std::size_t closingQuote(std::size_t at) const { return xml_.find('"', at + 1); }

    std::size_t findAny(std::size_t from, std::string_view stops, bool quoted) const {
        for (std::size_t i = from; i < xml_.size(); ++i) {
            if (quoted && xml_[i] == '"') {
                i = closingQuote(i);
                if (i == npos) return npos;
            }
            if (stops.find(xml_[i]) != npos) return i;
        }
        return npos;
    }

    std::size_t findText(std::size_t from, std::string_view text, bool quoted) const {
        for (std::size_t i = from; i + text.size() <= xml_.size(); ++i) {
            if (xml_.compare(i, text.size(), text) == 0) return i;
            if (quoted && xml_[i] == '"') {
                i = closingQuote(i);
                if (i == npos) return npos;
            }
        }
        return npos;
    }

    std::string_view xml_;
};

// Walks a binary property list's object graph from its root, each object once.
class BinaryScanner {
public:
    explicit BinaryScanner(std::string_view bytes) : bytes_(bytes) {}

    bool fits(int maximumDepth) {
        constexpr std::size_t trailerSize = 32;
        if (bytes_.size() < headerSize + trailerSize ||
            bytes_.size() > std::numeric_limits<std::uint32_t>::max())
            return false;
        trailer_ = bytes_.size() - trailerSize;
        offsetSize_ = static_cast<unsigned char>(bytes_[trailer_ + 6]);
        refSize_ = static_cast<unsigned char>(bytes_[trailer_ + 7]);
        const auto objects = unsignedAt(trailer_ + 8, 8);
        const auto root = unsignedAt(trailer_ + 16, 8);
        table_ = static_cast<std::size_t>(unsignedAt(trailer_ + 24, 8).value_or(0));
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8 || !objects ||
            !root || *objects == 0 || *root >= *objects || table_ < headerSize ||
            table_ >= trailer_ || *objects > (trailer_ - table_) / offsetSize_)
            return false;
        nodes_.assign(static_cast<std::size_t>(*objects), Node{});
        return visit(static_cast<std::size_t>(*root), maximumDepth);
    }

private:
    static constexpr std::size_t headerSize = 8;
    static constexpr unsigned textType = 5;
    static constexpr unsigned utf16TextType = 6;
    static constexpr unsigned dictionaryType = 0xD;
    enum class State : std::uint8_t { New, Open, Done };
    enum class Key : std::uint8_t { Unknown, Plain, Refused };
    struct Node {
        std::uint32_t values = 0; // this object and everything below it, as the library builds it
        std::uint8_t height = 0;  // container levels from here down
        State state = State::New;
        Key key = Key::Unknown;
    };
    // An object's marker, and for the sized ones the count and where the contents start.
    struct Object {
        unsigned type = 0;
        std::uint64_t count = 0;
        std::size_t start = 0;
    };

    // Arrays, ordered sets, sets and dictionaries.
    static bool isContainer(unsigned type) { return type >= 0xA && type <= 0xD; }
    // Data, texts and containers carry a count.
    static bool isSized(unsigned type) { return (type >= 4 && type <= 6) || isContainer(type); }

    std::optional<std::uint64_t> unsignedAt(std::size_t at, std::size_t width) const {
        if (at > bytes_.size() || width > bytes_.size() - at) return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }

    std::optional<Object> objectAt(std::size_t index) const {
        const auto offset = unsignedAt(table_ + index * offsetSize_, offsetSize_);
        if (!offset || *offset < headerSize || *offset >= trailer_) return std::nullopt;
        const auto at = static_cast<std::size_t>(*offset);
        const unsigned marker = static_cast<unsigned char>(bytes_[at]);
        Object object{marker >> 4, marker & 0xF, at + 1};
        if (isSized(object.type) && object.count == 0xF) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            if (object.start >= trailer_) return std::nullopt;
            const auto sizeMarker = static_cast<unsigned char>(bytes_[object.start]);
            if (sizeMarker >> 4 != 1 || (sizeMarker & 0xF) > 3) return std::nullopt;
            const std::size_t width = std::size_t{1} << (sizeMarker & 0xF);
            const auto count = unsignedAt(object.start + 1, width);
            if (!count) return std::nullopt;
            object.count = *count;
            object.start += 1 + width;
        }
        if (object.start > trailer_) return std::nullopt;
        return object;
    }

    // The library asserts (and so aborts) on a dictionary key holding a NUL, and keys
    // must be text anyway.
    bool isPlainKey(std::size_t index) {
        Node& node = nodes_[index];
        if (node.key == Key::Unknown) node.key = checkKey(index) ? Key::Plain : Key::Refused;
        return node.key == Key::Plain;
    }

    bool checkKey(std::size_t index) const {
        const auto key = objectAt(index);
        if (!key || (key->type != textType && key->type != utf16TextType)) return false;
        const std::size_t unit = key->type == textType ? 1 : 2;
        if (key->count > (trailer_ - key->start) / unit) return false;
        const std::string_view text = bytes_.substr(key->start, key->count * unit);
        for (std::size_t i = 0; i < text.size(); i += unit) {
            if (text.substr(i, unit).find_first_not_of('\0') == std::string_view::npos)
                return false;
        }
        return true;
    }

    // Recursion is bounded by the depth limit, never by the file.
    bool visit(std::size_t index, int levelsLeft) {
        if (nodes_[index].state == State::Done) return nodes_[index].height <= levelsLeft;
        if (nodes_[index].state == State::Open) return false; // refers to itself
        const auto object = objectAt(index);
        if (!object) return false;
        if (!isContainer(object->type)) {
            nodes_[index].values = 1;
            nodes_[index].state = State::Done;
            return true;
        }
        if (levelsLeft == 0) return false;
        const bool dictionary = object->type == dictionaryType;
        const std::uint64_t room = (trailer_ - object->start) / refSize_;
        if (object->count > (dictionary ? room / 2 : room)) return false;
        // A dictionary lists its keys, then its values.
        const std::uint64_t references = dictionary ? object->count * 2 : object->count;
        nodes_[index].state = State::Open;
        // Each reference in the file makes at most one value unless containers are shared.
        const std::uint64_t valueLimit = bytes_.size();
        std::uint64_t values = 1;
        int height = 1;
        for (std::uint64_t i = 0; i < references; ++i) {
            const auto child = unsignedAt(object->start + i * refSize_, refSize_);
            if (!child || *child >= nodes_.size()) return false;
            const auto childIndex = static_cast<std::size_t>(*child);
            if (dictionary && i < object->count && !isPlainKey(childIndex)) return false;
            if (!visit(childIndex, levelsLeft - 1)) return false;
            values += nodes_[childIndex].values;
            if (values > valueLimit) return false;
            height = std::max(height, nodes_[childIndex].height + 1);
        }
        nodes_[index].values = static_cast<std::uint32_t>(values);
        nodes_[index].height = static_cast<std::uint8_t>(height);
        nodes_[index].state = State::Done;
        return true;
    }

    std::string_view bytes_;
    std::size_t trailer_ = 0;
    std::size_t table_ = 0;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::vector<Node> nodes_;
};

} // namespace

bool xmlFits(std::string_view xml, int maximumDepth) {
    return XmlScanner(xml).fits(maximumDepth);
}

bool binaryFits(std::string_view bytes, int maximumDepth) {
    return BinaryScanner(bytes).fits(maximumDepth);
}

} // namespace mevara::plistnesting
