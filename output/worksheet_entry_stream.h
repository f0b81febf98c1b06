// A worksheet's entries set aside in a data stream while the page count is not yet known: only
// what the drawing reads, written and read back in the same order.
#pragma once

#include <QDataStream>

#include "output/worksheet.h"

namespace inkwren {

void write_entry(QDataStream& out, const WorksheetEntry& entry);
WorksheetEntry read_entry(QDataStream& in);

}  // namespace inkwren
