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

private:
    QWidget* parent_;
};

}  // namespace inkwren
