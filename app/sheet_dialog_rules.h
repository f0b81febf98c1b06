// What the sheet settings dialog shows and stores, without its widgets: which controls are
// enabled, the settings a record shows, the record the settings make, the swatches and the font.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

#include "output/sheet_settings_record.h"
#include "platform/dialogs.h"

namespace inkwren {

struct SheetDialogEnabling {
    bool underlay_swatch = false;  // SpeedButton1
    bool line_style = false;       // RadioGroup3
    bool number_groups = false;    // RadioGroup4, RadioGroup5, RadioGroup6
    bool colour_swatches = false;  // SpeedButton3, SpeedButton4, Label1, Label7

    bool operator==(const SheetDialogEnabling&) const = default;
};

// Which controls the settings the dialog holds enable.
SheetDialogEnabling sheet_dialog_enabling(const SheetSettings& chosen);

// The settings as the dialog's controls show them: a value out of range (an edited config.dat)
// shows as the nearest one the controls offer.
SheetSettings shown_settings(SheetSettings settings);

// The slots with settings taken in. Slots whose value did not change keep every byte they had,
// bytes the program does not read included.
SheetSlots slots_with_settings(const SheetSlots& record_slots, const SheetSettings& settings);

// A font family as the record holds it: Big5, at most 40 bytes, no two-byte character split.
QByteArray record_font_name(const QString& family);
FontChoice font_of(const SheetSettings& settings);
SheetSettings with_font(SheetSettings settings, const FontChoice& font);

// A colour swatch: white, with the rectangle from (1,1) to (width-3, height-3) in colour.
QImage colour_swatch(QSize size, std::int32_t colour);
// The grid line swatch: on white, a one-pixel line across the middle in the grid's colour and
// line style.
QImage grid_line_swatch(QSize size, std::int32_t colour, GridStyle grid_style);

// The folder as stored: trimmed, and ending in "/" unless empty.
QString folder_to_store(const QString& edited);
// Writes "sys.cfg" in the installation folder with folder as its only line, whole or not at
// all. Throws Error when it cannot be written.
void store_output_folder(const QString& installation_folder, const QString& folder);

}  // namespace inkwren
