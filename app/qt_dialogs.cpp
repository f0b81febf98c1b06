#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "animation/raster.h"
#include "app/config_files.h"
#include "output/font_style.h"

namespace inkwren {

void QtDialogs::inform(const QString& caption, const QString& text) {
    const std::unique_ptr<QMessageBox> box =
        message_box(QMessageBox::Information, caption, text, QMessageBox::Ok);
    bring_window_forward();
    box->exec();
}

bool QtDialogs::ask(const QString& caption, const QString& text) {
    const std::unique_ptr<QMessageBox> box =
        message_box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    bring_window_forward();
    return box->exec() == QMessageBox::Yes;
}

std::unique_ptr<QMessageBox> QtDialogs::message_box(QMessageBox::Icon icon, const QString& caption,
                                                    const QString& text,
                                                    QMessageBox::StandardButtons buttons) const {
    auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons, window_.data());
    // Above the main window, which itself stays on top of other programs' windows.
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return box;
}

void QtDialogs::bring_window_forward() const {
    if (window_ == nullptr) {
        return;
    }
    if (window_->isMinimized() || !window_->isVisible()) {
        window_->showNormal();
    }
    window_->raise();
    window_->activateWindow();
}

std::optional<std::int32_t> QtDialogs::choose_colour(std::int32_t initial) {
    const QColor chosen = QColorDialog::getColor(to_qcolor(initial), window_.data());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return std::int32_t(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

std::optional<FontChoice> QtDialogs::choose_font(const FontChoice& initial) {
    const QFont font = with_font_style(
        QFont(initial.family, initial.point_size > 0 ? initial.point_size : 12), initial.style);
    bool chosen = false;
    const QFont result = QFontDialog::getFont(&chosen, font, window_.data());
    if (!chosen) {
        return std::nullopt;
    }
    return FontChoice{result.family(), result.pointSize(), font_style_bits(result)};
}

ReviewAnswer QtDialogs::review_list(const ListReview& review) {
    QDialog box(window_.data());
    box.setWindowTitle(review.caption);
    auto* layout = new QVBoxLayout(&box);
    auto* text = new QLabel(review.text, &box);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* list = new QListWidget(&box);
    list->addItems(review.lines);
    QFont larger = list->font();  // the characters are what the list is about
    larger.setPointSizeF(larger.pointSizeF() * 1.4);
    list->setFont(larger);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* first = buttons->addButton(review.first_action, QDialogButtonBox::AcceptRole);
    QPushButton* second = buttons->addButton(review.second_action, QDialogButtonBox::ActionRole);
    buttons->addButton(review.close, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    ReviewAnswer answer = ReviewAnswer::close;
    QObject::connect(first, &QPushButton::clicked, &box, [&] {
        answer = ReviewAnswer::first_action;
        box.accept();
    });
    QObject::connect(second, &QPushButton::clicked, &box, [&] {
        answer = ReviewAnswer::second_action;
        box.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    bring_window_forward();
    box.exec();
    return answer;
}

std::optional<QString> QtDialogs::choose_folder(const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(window_.data(), QString(), start);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

std::optional<QString> QtDialogs::choose_save_file(const QString& caption, const QString& folder,
                                                   const QString& filter) {
    // With its "/" the folder is opened, not proposed as the file's name.
    const QString start = folder.isEmpty() ? folder : with_trailing_slash(folder);
    const QString path = QFileDialog::getSaveFileName(window_.data(), caption, start, filter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace inkwren
