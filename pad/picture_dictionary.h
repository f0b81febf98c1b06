// The picture dictionary the pad takes its model characters from: "hk_kai.dat" holds PNG
// pictures end to end, "hk_dict.dat" names and locates each of them in 44-byte entries.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

#include "pad/picture_dictionary_format.h"

namespace inkwren {

// The picture of key (a character's code in picture_dictionary_code_page), decoded to a
// QImage::Format_RGB888 image of its own size. The index in folder is scanned from the start on
// every call; the first entry whose key, without its leading and trailing bytes of value 32 or
// less, equals key wins, and only its picture is read. Nothing when either file is missing or
// no entry matches. A damaged index or picture throws Error naming the file and the entry.
std::optional<QImage> find_model_picture(const QString& folder, const QByteArray& key);

// The picture of a character, looked up by its code in picture_dictionary_code_page whatever
// the user's legacy code page is. Nothing for a character that code page cannot represent.
std::optional<QImage> find_model_picture(const QString& folder, const QString& character);

// Copies the picture of key onto layer, centred: its left and top are the differences of width
// and height halved toward zero, negative when the picture is the larger. Every pixel is copied,
// white included, and the layer keeps its size; where the picture does not reach, the layer is
// left as it was. Answers whether a picture was found. Throws as find_model_picture().
bool draw_model_picture(const QString& folder, const QByteArray& key, QImage& layer);
bool draw_model_picture(const QString& folder, const QString& character, QImage& layer);

}  // namespace inkwren
