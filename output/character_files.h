// A character's stroke-order sheet as the program's file, made from the player that shows it.
// The program's menus and inkwren-export both make their sheets here, so one character with the
// same settings gives the same bytes either way.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "output/sheet_settings_record.h"
#include "output/stroke_order_sheet.h"

namespace inkwren {

class LanguageTable;
class TAnimationPlayer;

// The sheet of the character the player holds, its stroke numbers (and, for a character that
// keeps the mainland's form, its note saying so) worded in the language, the info line under
// it unless empty; nothing when the character gives no picture.
std::optional<StrokeOrderSheet> character_sheet(const TAnimationPlayer& player,
                                                const SheetSettings& settings,
                                                const LanguageTable& language, bool mainland_form,
                                                const QString& info_line);

// What the sheets and worksheets write beside a character that keeps the mainland's form; empty
// for any other.
QString mainland_form_note(const LanguageTable& language, bool mainland_form);

// A sheet picture as the JPEG file the program saves, and saving it there whole; a file that
// cannot be written throws Error naming it and leaves nothing behind.
QByteArray sheet_jpeg(const QImage& sheet);
void save_sheet_jpeg(const QImage& sheet, const QString& path);

}  // namespace inkwren
