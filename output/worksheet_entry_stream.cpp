#include "output/worksheet_entry_stream.h"

namespace inkwren {

void write_entry(QDataStream& out, const WorksheetEntry& entry) {
    out << entry.character << entry.note << entry.reading << entry.meaning << entry.coord_scale
        << entry.pad << quint32(entry.strokes.size());
    for (const TObjList& stroke : entry.strokes) {
        out << quint32(stroke.size());
        for (const PointRecord& record : stroke) {
            out << record.x << record.y << qint32(record.pen_width) << qint32(record.pen_color)
                << qint32(record.kind);
        }
    }
}

WorksheetEntry read_entry(QDataStream& in) {
    WorksheetEntry entry;
    quint32 strokes = 0;
    in >> entry.character >> entry.note >> entry.reading >> entry.meaning >> entry.coord_scale >>
        entry.pad >> strokes;
    entry.strokes.resize(strokes);
    for (TObjList& stroke : entry.strokes) {
        quint32 records = 0;
        in >> records;
        stroke.resize(records);
        for (PointRecord& record : stroke) {
            qint32 width = 0;
            qint32 colour = 0;
            qint32 kind = 0;
            in >> record.x >> record.y >> width >> colour >> kind;
            record.pen_width = width;
            record.pen_color = colour;
            record.kind = kind;
        }
    }
    return entry;
}

}  // namespace inkwren
