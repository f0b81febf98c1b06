#include "pad/palette.h"

#include <QFileInfo>
#include <QList>

#include "animation/raster.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {

std::optional<QImage> load_palette(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return std::nullopt;
    }
    QImage palette = make_bitmap(palette_columns * palette_cell, palette_rows * palette_cell);
    const QList<QByteArray> lines =
        read_whole_file(path, QStringLiteral("The palette")).split('\n');
    int cell = 0;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QByteArray line = lines[index].trimmed();
        if (line.isEmpty()) {
            continue;
        }
        bool ok = false;
        const int color = line.toInt(&ok);
        if (!ok) {
            throw Error(QStringLiteral("The palette \"%1\" is damaged at line %2: \"%3\" is not a "
                                       "colour value.")
                            .arg(path)
                            .arg(index + 1)
                            .arg(QString::fromLatin1(line)));
        }
        // Lines beyond the 48th fall outside the picture.
        const int column = cell / palette_rows;
        const int row = cell % palette_rows;
        if (column < palette_columns) {
            for (int y = 0; y < palette_cell; ++y) {
                for (int x = 0; x < palette_cell; ++x) {
                    palette.setPixelColor(column * palette_cell + x, row * palette_cell + y,
                                          to_qcolor(color));
                }
            }
        }
        ++cell;
    }
    return palette;
}

}  // namespace inkwren
