// The picture dictionary: an index and its pictures (the input's first two parts) looked up by
// a key (the third part) and by the keys the index holds, pictures decoded from PNG; and the
// PNG decoder on the picture file as it stands.
#include <QImage>

#include "fuzz/fuzz_support.h"
#include "pad/picture_dictionary.h"
#include "pad/png_decoder.h"
#include "platform/error.h"
#include "platform/length_prefixed.h"

using namespace inkwren;

namespace {

void look_up(const QByteArray& key) {
    try {
        QImage layer(64, 64, QImage::Format_RGB888);
        layer.fill(Qt::white);
        draw_model_picture(fuzz::scratch(), key, layer);
    } catch (const Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = fuzz::parts_of(fuzz::bytes_of(data, size), 3);
    fuzz::put_file(QString::fromLatin1(picture_index_name), parts[0]);
    fuzz::put_file(QString::fromLatin1(picture_data_name), parts[1]);
    look_up(parts[2]);
    for (qsizetype at = 0;
         at + picture_entry_size <= parts[0].size() && at < 8 * picture_entry_size;
         at += picture_entry_size) {
        look_up(trimmed_field(parts[0].constData() + at, picture_key_offset, picture_key_capacity)
                    .toByteArray());
    }
    try {
        decode_png(parts[1], QStringLiteral("The picture"));
    } catch (const Error&) {
    }
    return 0;
}
