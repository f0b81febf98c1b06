// Characters put in the order of how common they are, for lessons that start with the most used.
#pragma once

#include <QStringList>

#include "charinfo/char_info.h"

namespace inkwren {

// The characters sorted by their rank, the most common first; those the table does not know
// come last, in the order given.
QStringList most_common_first(const QStringList& characters, const CharInfoTable& table);

}  // namespace inkwren
