// Writes the picture dictionary the writing pad draws its model characters from: "hk_kai.dat"
// holds the PNG pictures end to end, "hk_dict.dat" names and locates each of them.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "pad/picture_dictionary_format.h"

namespace inkwren::tools {

struct ModelPicture {
    QByteArray key;  // the character's code in picture_dictionary_code_page, stored as given
    QByteArray png;
};

// Entries are written in the given order, each picture right after the one before, so the
// same pictures always give the same bytes. A key longer than 21 bytes throws Error before
// anything is written; each file is replaced whole or left as it was.
void write_picture_dictionary(const QString& index_path, const QString& pictures_path,
                              const std::vector<ModelPicture>& pictures);

}  // namespace inkwren::tools
