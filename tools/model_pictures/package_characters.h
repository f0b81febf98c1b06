// The characters of the stroke data package (hanzi-writer-data, one "<character>.json" file per
// character) that the pad can look up by code, and their codes.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "pad/picture_dictionary_format.h"

namespace inkwren::tools {

struct PackageCharacter {
    QByteArray key;  // the character's two-byte code in the code page
    char32_t character;
};

// Characters whose code in the code page is two bytes and reads back as the same character,
// sorted by code bytes. Other file names are passed over. Throws Error when the folder does
// not exist.
std::vector<PackageCharacter> package_characters(const QString& package_folder,
                                                 int code_page = picture_dictionary_code_page);

}  // namespace inkwren::tools
