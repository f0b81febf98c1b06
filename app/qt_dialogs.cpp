#include "app/qt_dialogs.h"

#include <QMessageBox>

namespace inkwren {

void QtDialogs::inform(const QString& caption, const QString& text) {
    QMessageBox::information(parent_, caption, text, QMessageBox::Ok);
}

bool QtDialogs::ask(const QString& caption, const QString& text) {
    return QMessageBox::question(parent_, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace inkwren
