#pragma once

#include "PropertyList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading and writing property lists: libplist on the desktop (libplist/), a well-kept
// JavaScript package in the browser (web/). PropertyList checks sizes, depth and
// encodings first.
namespace mevara::plistbackend {

// Property-list dates count from 2001-01-01 UTC.
constexpr std::int64_t referenceEpoch = 978307200;

std::optional<PlistDictionary> fromBinary(std::string_view bytes);
std::optional<PlistDictionary> fromXml(std::string_view xml);
// The XML the desktop writes, byte for byte.
std::string toXml(const PlistDictionary& dictionary);

} // namespace mevara::plistbackend
