// Animated GIF export of the pad's animation: while capture is on, the frames of a playback are
// encoded as they are shown (output/character_files.h); when the playback runs to its end the
// GIF is offered to be saved.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>

namespace inkwren {

class Dialogs;
class LanguageTable;

// The path a chosen GIF file name is written to: ".gif" is added unless the name already ends
// in it, in any letter case.
QString gif_file_path(const QString& chosen);

// What the user is told when a GIF cannot be written, before the save dialog opens again.
QString gif_retry_message(const QString& error);

// The caption of the save dialog and notices of one character's GIF.
QString gif_save_caption(const QString& character);

// A finished capture, ready to be offered.
struct FinishedGif {
    QString character;
    QByteArray gif;
    QString folder;  // where the save dialog opens
};

// Offers the GIF to be saved, asking again after a failed write until the user saves it or
// cancels: the capture is the user's work and is not lost to a bad file name.
void offer_gif(const FinishedGif& finished, Dialogs& dialogs, const LanguageTable& language);

// Finished GIFs of the pad's playbacks offered to be saved, one save dialog at a time. A dialog
// is never opened inside the player's tick (a character handed over while it is open replaces
// that player), and a GIF that finishes while one is open waits its turn.
class GifOffers : public QObject {
public:
    GifOffers(Dialogs& dialogs, const LanguageTable& language);

    // Queues the GIF; its dialog opens once the event loop runs.
    void take(FinishedGif finished);

    // GIFs waiting for their dialog, the one being offered not counted.
    int waiting() const { return int(waiting_.size()); }

private:
    void offer_waiting();

    Dialogs& dialogs_;
    const LanguageTable& language_;
    std::deque<FinishedGif> waiting_;
    bool offering_ = false;
};

}  // namespace inkwren
