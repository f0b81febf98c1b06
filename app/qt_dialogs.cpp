#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QMessageBox>

#include "animation/raster.h"

namespace inkwren {

void QtDialogs::inform(const QString& caption, const QString& text) {
    QMessageBox::information(parent_, caption, text, QMessageBox::Ok);
}

bool QtDialogs::ask(const QString& caption, const QString& text) {
    return QMessageBox::question(parent_, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<std::int32_t> QtDialogs::choose_colour(std::int32_t initial) {
    const QColor chosen = QColorDialog::getColor(to_qcolor(initial), parent_);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return std::int32_t(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

}  // namespace inkwren
