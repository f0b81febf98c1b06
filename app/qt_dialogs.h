// The program's dialogs: Qt message boxes over a parent window.
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace inkwren {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void inform(const QString& caption, const QString& text) override;
    bool ask(const QString& caption, const QString& text) override;
    std::optional<std::int32_t> choose_colour(std::int32_t initial) override;
    std::optional<FontChoice> choose_font(const FontChoice& initial) override;
    std::optional<QString> choose_folder(const QString& start) override;
    std::optional<QString> choose_save_file(const QString& caption, const QString& folder,
                                            const QString& filter) override;

private:
    QWidget* parent_;
};

}  // namespace inkwren
