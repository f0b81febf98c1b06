#include "app/gif_export.h"

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/gif_encoder.h"
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

QString gif_save_caption(const QString& character) {
    return character.isEmpty() ? QStringLiteral("Save File")
                               : QStringLiteral("Save File — %1").arg(character);
}

void offer_gif(const FinishedGif& finished, Dialogs& dialogs, const LanguageTable& language) {
    const QString caption = gif_save_caption(finished.character);
    while (const std::optional<QString> chosen = dialogs.choose_save_file(
               caption, finished.folder, QStringLiteral("gif (*.gif *.GIF)"))) {
        try {
            save_gif(finished.gif, gif_file_path(*chosen));
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

GifOffers::GifOffers(Dialogs& dialogs, const LanguageTable& language)
    : dialogs_(dialogs), language_(language) {}

void GifOffers::take(FinishedGif finished) {
    waiting_.push_back(std::move(finished));
    if (!offering_) {
        QMetaObject::invokeMethod(this, &GifOffers::offer_waiting, Qt::QueuedConnection);
    }
}

void GifOffers::offer_waiting() {
    if (offering_) {
        return;
    }
    offering_ = true;
    while (!waiting_.empty()) {
        const FinishedGif next = std::move(waiting_.front());
        waiting_.pop_front();
        try {
            offer_gif(next, dialogs_, language_);
        } catch (const Error& error) {
            dialogs_.inform(gif_save_caption(next.character), error.message());
        }
    }
    offering_ = false;
}

}  // namespace inkwren
