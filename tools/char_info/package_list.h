// The characters of the unpacked stroke data package, one "<character>.json" file each.
#pragma once

#include <QString>

#include <set>

namespace inkwren::tools {

// Other file names (package.json, licences) are passed over. Throws Error when the folder does
// not exist.
std::set<char32_t> stroke_package_characters(const QString& package_folder);

}  // namespace inkwren::tools
