#pragma once

#include "platform/Date.h"

#include <filesystem>
#include <optional>

namespace mevara {

// Ctrl+P on the desktop: the record for the doctor in the person's documents folder as
// "Mevara record YYYY-MM-DD.pdf", and an alert that says where it went (or why not).
// The path it wrote, or nothing.
std::optional<std::filesystem::path> saveRecordToDocuments(Date now);

} // namespace mevara
