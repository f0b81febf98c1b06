#include "app/gif_export.h"

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/gif_encoder.h"
#include "output/gif_recorder.h"
#include "pad/writing_pad.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {

QString gif_file_path(const QString& chosen) {
    return with_file_ending(chosen, QStringLiteral(".gif"));
}

QString gif_retry_message(const QString& error) {
    return error + QStringLiteral(". Please try again using another filename.");
}

std::unique_ptr<FrameRecorder> start_gif_recording(double scale) {
    return std::make_unique<GifRecorder>(scale);
}

void offer_gif(FrameRecorder& capture, Dialogs& dialogs, const LanguageTable& language,
               const QString& folder) {
    const QByteArray gif = dynamic_cast<GifRecorder&>(capture).finish();
    const QString caption = QStringLiteral("Save File");
    while (const std::optional<QString> chosen =
               dialogs.choose_save_file(caption, folder, QStringLiteral("gif (*.gif *.GIF)"))) {
        try {
            save_gif(gif, gif_file_path(*chosen));
        } catch (const Error& error) {
            dialogs.inform(caption, gif_retry_message(error.message()));
            continue;
        }
        dialogs.inform(caption,
                       language.lookup_text(QString::fromLatin1(text_key::gif_saved_notice)) +
                           QStringLiteral("  ") + *chosen);
        return;
    }
}

void connect_gif_export(WritingPad& pad, Dialogs& dialogs, const LanguageTable& language) {
    pad.make_recorder = [](double scale) { return start_gif_recording(scale); };
    pad.on_capture_finished = [&pad, &dialogs, &language](std::unique_ptr<FrameRecorder> capture) {
        offer_gif(*capture, dialogs, language, pad.settings().output_folder);
    };
}

}  // namespace inkwren
