#include "app/export_maker.h"

#include <QBuffer>

#include "charinfo/info_text.h"
#include "langtable/text_keys.h"
#include "output/character_files.h"
#include "output/gif_capture.h"
#include "pad/writing_pad.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {

// What the pad would show in a box becomes an error: there is nobody to answer.
class CharacterMaker::Dialogs : public UnansweredDialogs {
public:
    void inform(const QString&, const QString& text) override { throw Error(text); }
};

CharacterMaker::CharacterMaker(const ExportSetup& setup, const ExportOptions& options)
    : setup_(setup),
      options_(options),
      dialogs_(std::make_unique<Dialogs>()),
      pad_(std::make_unique<WritingPad>(*dialogs_, setup.language, setup.installation,
                                        setup.legacy_code_page)) {
    pad_->use_temp_folder(scratch_.path());
    pad_->set_archive(setup.archive);
    pad_->set_encoding(setup.encoding);
    pad_->set_use_custom(setup.use_custom);
    pad_->set_reload_recent(false);
    pad_->set_auto_play(false);
    // Only animations are played; every other file is made from the strokes alone.
    pad_->set_unseen(options.command != ExportCommand::gif);
    PadSettings settings = pad_->settings();
    settings.stroke_color = setup.sheet.second_color;
    if (options.speed) {
        settings.pen_speed = *options.speed;
    }
    if (options.interval) {
        settings.stroke_interval = *options.interval;
    }
    settings.smooth_gif = options.smooth;
    settings.smooth_ink = setup.smooth_ink;
    switch (options.display) {
        case GifDisplay::program:
            break;
        case GifDisplay::normal:
            settings.grey_first = settings.two_color = false;
            break;
        case GifDisplay::grey_first:
            settings.grey_first = true;
            settings.two_color = false;
            break;
        case GifDisplay::two_colour:
            settings.grey_first = false;
            settings.two_color = true;
            break;
    }
    pad_->set_settings(settings);
}

CharacterMaker::~CharacterMaker() = default;

bool CharacterMaker::show(const QString& character) {
    return pad_->TextCopyDetected(character);
}

StrokeOrderSheet CharacterMaker::sheet() const {
    std::optional<StrokeOrderSheet> sheet =
        character_sheet(pad_->player(), setup_.sheet, setup_.language, pad_->shows_mainland_form(),
                        sheet_info_line());
    if (!sheet) {
        throw Error(
            setup_.language.lookup_text(QString::fromLatin1(text_key::no_sheet_pictures_notice)));
    }
    return std::move(*sheet);
}

WorksheetEntry CharacterMaker::worksheet_entry(const QString& character) const {
    const SheetInputs inputs = sheet_inputs(pad_->player(), setup_.sheet, QString(), QString());
    WorksheetEntry entry;
    entry.character = character;
    entry.strokes = inputs.strokes;
    entry.coord_scale = inputs.coord_scale;
    entry.pad = inputs.picture;
    entry.note = mainland_form_note();
    if (const std::optional<CharInfo> info = setup_.char_info.find(first_character(character))) {
        entry.reading = readings_text(*info, setup_.reading_script);
        entry.meaning = info->definition.trimmed();
    }
    return entry;
}

QString CharacterMaker::sheet_info_line() const {
    if (!setup_.sheet_info_line) {
        return {};
    }
    const std::optional<CharInfo> info = setup_.char_info.find(first_character(pad_->cur_text()));
    return info ? info_line(*info, setup_.reading_script) : QString();
}

QString CharacterMaker::mainland_form_note() const {
    return inkwren::mainland_form_note(setup_.language, pad_->shows_mainland_form());
}

QByteArray CharacterMaker::sheet_file() const {
    const QImage picture = sheet().sheet;
    if (!options_.png) {
        return sheet_jpeg(picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray CharacterMaker::gif_file() {
    return play_gif(*pad_, options_.scale);
}

QByteArray CharacterMaker::stroke_file() const {
    // The character's strokes as stored, in the archive or as a custom character.
    return pad_->player().loaded_text();
}

QString export_file_name(const QString& character, ExportCommand command, bool png) {
    switch (command) {
        case ExportCommand::sheet:
            return character + (png ? QStringLiteral(".png") : QStringLiteral(".jpg"));
        case ExportCommand::gif:
            return character + QStringLiteral(".gif");
        case ExportCommand::strokes:
            return character + QStringLiteral(".wrt");
        case ExportCommand::worksheet:
        case ExportCommand::info:
            break;
    }
    return QStringLiteral("worksheet.pdf");
}

}  // namespace inkwren
