// The program's dialogs: Qt message boxes over the main window, which comes to the front with
// them.
#pragma once

#include <QMessageBox>
#include <QPointer>

#include <memory>

#include "platform/dialogs.h"

class QWidget;

namespace inkwren {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* window = nullptr) : window_(window) {}

    // The window the boxes and choosers belong to; none while the program starts.
    void set_window(QWidget* window) { window_ = window; }

    void inform(const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;
    std::optional<std::int32_t> choose_colour(std::int32_t initial) override;
    std::optional<FontChoice> choose_font(const FontChoice& initial) override;
    std::optional<QString> choose_folder(const QString& start) override;
    std::optional<QString> choose_save_file(const QString& caption, const QString& folder,
                                            const QString& filter) override;
    ReviewAnswer review_list(const ListReview& review) override;

    // A box as inform and ask show it, not yet shown.
    std::unique_ptr<QMessageBox> message_box(QMessageBox::Icon icon, const QString& caption,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons) const;

    // Raises and activates the window: a box may come from a copy made in another program,
    // which would otherwise hide the box and the window it asks about.
    void bring_window_forward() const;

private:
    QPointer<QWidget> window_;
};

}  // namespace inkwren
