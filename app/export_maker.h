// One character's files for inkwren-export, made as the program's menus make them
// (output/character_files.h): the character is shown on a writing pad without a window, then its
// sheet is drawn, its animation played and captured, or its strokes written. One maker a worker
// thread; makers share nothing.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <vector>

#include "app/export_options.h"
#include "app/export_setup.h"
#include "app/scratch_folder.h"
#include "output/stroke_order_sheet.h"
#include "output/worksheet.h"

namespace inkwren {

class WritingPad;

class CharacterMaker {
public:
    CharacterMaker(const ExportSetup& setup, const ExportOptions& options);
    ~CharacterMaker();
    CharacterMaker(const CharacterMaker&) = delete;
    CharacterMaker& operator=(const CharacterMaker&) = delete;

    // Shows the character; false when the library lacks it. A damaged entry throws Error.
    bool show(const QString& character);

    // The files of the character shown.
    StrokeOrderSheet sheet() const;
    QByteArray sheet_file() const;  // its picture as JPEG, or PNG with --png
    QByteArray gif_file();
    QByteArray stroke_file() const;
    // The character shown as a worksheet draws it: its strokes, the note beside it, its reading
    // and meaning.
    WorksheetEntry worksheet_entry(const QString& character) const;
    // The note a worksheet writes beside the character shown: empty unless it keeps the
    // mainland's form.
    QString mainland_form_note() const;
    // The reading and meaning under the sheet of the character shown, when sheets have it.
    QString sheet_info_line() const;

private:
    class Dialogs;
    const ExportSetup& setup_;
    const ExportOptions& options_;
    ScratchFolder scratch_;  // this maker's temporary stroke files, apart from other makers'
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<WritingPad> pad_;
};

// The file a character's output goes to in the output folder.
QString export_file_name(const QString& character, ExportCommand command, bool png);

}  // namespace inkwren
