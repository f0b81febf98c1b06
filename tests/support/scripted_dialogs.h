// Dialogs for tests: every box shown is recorded, and questions are answered from a script
// (Yes when the script runs out), so no test ever waits on a window.
#pragma once

#include <QList>
#include <QString>

#include "platform/dialogs.h"

namespace inkwren::testing {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString caption;
        QString text;
        bool question;
    };

    QList<Shown> shown;
    QList<bool> answers;
    // What the colour chooser answers, in turn; cancelled when the script runs out.
    QList<std::optional<std::int32_t>> colours;
    int colour_choosers = 0;

    void inform(const QString& caption, const QString& text) override {
        shown.push_back({caption, text, false});
    }

    bool ask(const QString& caption, const QString& text) override {
        shown.push_back({caption, text, true});
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    std::optional<std::int32_t> choose_colour(std::int32_t) override {
        ++colour_choosers;
        return colours.isEmpty() ? std::nullopt : colours.takeFirst();
    }

    // Whether any box so far showed text containing part.
    bool showed(const QString& part) const {
        for (const Shown& box : shown) {
            if (box.text.contains(part) || box.caption.contains(part)) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace inkwren::testing
