// The menu commands that make stroke-order sheets of the character on the pad: saving one as a
// JPEG file, and making one for the step-by-step window. What the sheet looks like is the output
// folder's; these gather its inputs from the pad and the settings and hand the result on.
#pragma once

#include <optional>

#include "output/stroke_order_sheet.h"

namespace inkwren {

class Dialogs;
class Shell;

// The sheet of the character the pad shows, redisplayed afresh first; an unsaved edit is stored
// first when store_edit is set. Tells the user, and answers nothing, when the character gives
// no picture.
std::optional<StrokeOrderSheet> sheet_of_shown_character(Shell& shell, Dialogs& dialogs,
                                                         bool store_edit);

// The path a chosen sheet file name is written to: ".jpg" is added unless the name already
// ends in it, in any letter case.
QString sheet_file_path(const QString& chosen);

// Makes the sheet and saves it where the user chooses, as the JPEG the exporter makes too. A
// file that cannot be written throws Error and leaves nothing behind.
void save_sheet(Shell& shell, Dialogs& dialogs);

}  // namespace inkwren
