// Animated GIF export of the pad's animation: while capture is on, the frames of a playback are
// encoded as they are shown; when the playback runs to its end the GIF is offered to be saved.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

#include "animation/player_owner.h"

namespace inkwren {

class Dialogs;
class LanguageTable;
class WritingPad;

// The path a chosen GIF file name is written to: ".gif" is added unless the name already ends
// in it, in any letter case.
QString gif_file_path(const QString& chosen);

// What the user is told when a GIF cannot be written, before the save dialog opens again.
QString gif_retry_message(const QString& error);

// A capture of the frames of one playback, encoded as they arrive.
std::unique_ptr<FrameRecorder> start_gif_recording(double scale);

// Offers the finished capture to be saved, asking again after a failed write until the user
// saves it or cancels: the capture is the user's work and is not lost to a bad file name.
void offer_gif(FrameRecorder& capture, Dialogs& dialogs, const LanguageTable& language,
               const QString& folder);

// Captures of the pad's playbacks become GIFs offered to be saved.
void connect_gif_export(WritingPad& pad, Dialogs& dialogs, const LanguageTable& language);

}  // namespace inkwren
