#include "app/sheet_commands.h"

#include <QDir>

#include "animation/stroke_editor.h"
#include "app/shell.h"
#include "langtable/text_keys.h"
#include "output/character_files.h"
#include "platform/dialogs.h"
#include "platform/whole_file.h"

namespace inkwren {

std::optional<StrokeOrderSheet> sheet_of_shown_character(Shell& shell, Dialogs& dialogs,
                                                         bool store_edit) {
    WritingPad& pad = shell.pad();
    if (store_edit && pad.custom_dirty()) {
        shell.save_custom();
    }
    pad.player().stop_play();
    pad.player().editor().deselect();
    pad.show_ani_writing();
    pad.player().rebuild_lines();
    std::optional<StrokeOrderSheet> sheet =
        character_sheet(pad.player(), shell.sheet_settings(), shell.language(),
                        pad.shows_mainland_form(), shell.sheet_info_line_text());
    QDir::setCurrent(shell.installation_folder());
    if (!sheet) {
        dialogs.inform(shell.caption(), shell.text(text_key::no_sheet_pictures_notice));
    }
    return sheet;
}

QString sheet_file_path(const QString& chosen) {
    return with_file_ending(chosen, QStringLiteral(".jpg"));
}

void save_sheet(Shell& shell, Dialogs& dialogs) {
    const std::optional<StrokeOrderSheet> sheet = sheet_of_shown_character(shell, dialogs, true);
    if (!sheet) {
        return;
    }
    const std::optional<QString> chosen =
        dialogs.choose_save_file(shell.text(text_key::save_sheet_item), shell.output_folder(),
                                 QStringLiteral("jpeg (*.jpg *.JPG)"));
    if (chosen) {
        save_sheet_jpeg(sheet->sheet, sheet_file_path(*chosen));
    }
}

}  // namespace inkwren
