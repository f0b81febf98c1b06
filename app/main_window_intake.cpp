// The ways text and files reach the main window from outside: copies anywhere on the desktop,
// hand-overs of later starts, drops, and the window's closing with an unsaved edit.
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "app/main_window.h"
#include "pad/pad_view.h"

namespace inkwren {

void TForm1::clipboard_changed(const QString& text) {
    guarded([&] { pad().clipboard_changed(text); });
}

void TForm1::take_handed_over(const QString& text) {
    come_forward();
    text_from_outside(text);
}

// A question still open stays above the window it asks about, also where no window manager
// keeps it there.
void TForm1::come_forward() {
    showNormal();
    raise();
    activateWindow();
    if (QWidget* question = QApplication::activeModalWidget()) {
        question->raise();
        question->activateWindow();
    }
}

// A text arriving while a question is open (its event loop delivers it) is held until the
// question is answered, instead of opening a second question over the first.
void TForm1::text_from_outside(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    waiting_text_ = text;
    if (handling_ == 0) {
        show_waiting_text();
    }
}

void TForm1::show_waiting_text() {
    if (handling_ == 0 && waiting_text_) {
        clipboard_changed(*std::exchange(waiting_text_, std::nullopt));
    }
}

void TForm1::drop_files(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    guarded([&] {
        if (pad().drop_file(paths.first()) == DroppedKind::user_language) {
            shell_.install_user_language(paths.first());
            apply_captions();
        }
        view_->show_mainland_note();  // a dropped stroke file is the user's, not the library's
    });
}

// A save that fails keeps the window open with the edit unsaved, so nothing is lost to it.
void TForm1::closeEvent(QCloseEvent* event) {
    bool may_close = false;
    guarded([&] {
        pad().offer_save();
        may_close = true;
    });
    if (may_close) {
        event->accept();
    } else {
        quit_requested = false;
        event->ignore();
    }
}

// Drops are always copies: answering Move would let the source delete the user's file.
void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Handled once the drag is over, so that any message box can show.
    QMetaObject::invokeMethod(
        this, [this, paths] { drop_files(paths); }, Qt::QueuedConnection);
}

}  // namespace inkwren
