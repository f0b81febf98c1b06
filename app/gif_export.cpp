#include "app/gif_export.h"

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/background_gif_encoder.h"
#include "pad/writing_pad.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {
namespace {

class GifRecording : public FrameRecorder {
public:
    explicit GifRecording(double scale) : encoder_(scale) {}

    void add(const QImage& frame, int delay) override { encoder_.add(frame, delay); }
    QByteArray finish() { return encoder_.finish(); }

private:
    BackgroundGifEncoder encoder_;
};

}  // namespace

QString gif_file_path(const QString& chosen) {
    if (chosen.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
        return chosen;
    }
    return chosen + QStringLiteral(".gif");
}

QString gif_retry_message(const QString& error) {
    return error + QStringLiteral(". Please try again using another filename.");
}

std::unique_ptr<FrameRecorder> start_gif_recording(double scale) {
    return std::make_unique<GifRecording>(scale);
}

void offer_gif(FrameRecorder& capture, Dialogs& dialogs, const LanguageTable& language,
               const QString& folder) {
    const QByteArray gif = dynamic_cast<GifRecording&>(capture).finish();
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
