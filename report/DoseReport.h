#pragma once

#include "platform/Date.h"
#include "platform/Geometry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mevara {

class UserData;
class View;

// The record a person hands to their doctor: the profile, every recorded test as the
// lists show it, the total with its equivalents, the total beside the average for the age
// range and each familiar reference drawn as the phone's bars, the sources of the figures
// and the notice's caution, and the day it was made.
class DoseReport {
public:
    // Why no report can be made from the store, or nothing when one can.
    static std::optional<std::string> whyNot(const UserData& data);

    // US Letter where the locale's region uses it, else A4, in points.
    static Size pageSize();
    // The pages, each a white view of the page's size.
    static std::vector<std::shared_ptr<View>> pages(const UserData& data, Date made);

    // Writes the PDF to `path`, replacing any file there whole. The error, or nothing.
    static std::optional<std::string> write(const UserData& data, const std::filesystem::path& path,
                                            Date made);
};

} // namespace mevara
