#include "pad/palette.h"

#include <QFileInfo>
#include <QList>
#include <QStringList>

#include "animation/raster.h"
#include "platform/whole_file.h"

namespace inkwren {

std::optional<QImage> load_palette(const QString& path, QString* problems) {
    if (!QFileInfo::exists(path)) {
        return std::nullopt;
    }
    QImage palette = make_bitmap(palette_columns * palette_cell, palette_rows * palette_cell);
    const QList<QByteArray> lines =
        read_whole_file(path, QStringLiteral("The palette")).split('\n');
    int cell = 0;
    QStringList bad_lines;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QByteArray line = lines[index].trimmed();
        if (line.isEmpty()) {
            continue;
        }
        bool ok = false;
        const int color = line.toInt(&ok);
        if (!ok) {
            bad_lines << QString::number(index + 1);
            continue;
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
    if (problems != nullptr && !bad_lines.isEmpty()) {
        *problems =
            QStringLiteral(
                "The palette \"%1\" holds lines that are not colour values "
                "(%2 %3); they are left out.")
                .arg(path, bad_lines.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                     bad_lines.join(QStringLiteral(", ")));
    }
    return palette;
}

}  // namespace inkwren
