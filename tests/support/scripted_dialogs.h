// Dialogs for tests: every box shown is recorded, and questions are answered from a script
// (Yes when the script runs out), so no test ever waits on a window.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <utility>

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
    // What the font chooser, the folder browser and the save dialog answer, in turn; cancelled
    // when their script runs out. The save dialogs' folders are recorded.
    QList<std::optional<FontChoice>> fonts;
    QList<std::optional<QString>> folders;
    QList<std::optional<QString>> save_files;
    QStringList save_dialog_folders;
    QStringList save_dialog_captions;
    // Runs while each box is open, as the events that reach the program during a modal box do.
    std::function<void()> while_open;
    // What happens while a save dialog is open, as its event loop would run it; and the most
    // save dialogs that were ever open at once.
    std::function<void()> while_save_dialog_open;
    int most_save_dialogs_open = 0;

    void inform(const QString& caption, const QString& text) override {
        shown.push_back({caption, text, false});
        if (while_open) {
            while_open();
        }
    }

    bool ask(const QString& caption, const QString& text) override {
        shown.push_back({caption, text, true});
        if (while_open) {
            while_open();
        }
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    std::optional<std::int32_t> choose_colour(std::int32_t) override {
        return colours.isEmpty() ? std::nullopt : colours.takeFirst();
    }

    std::optional<FontChoice> choose_font(const FontChoice&) override {
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }

    // The lists reviewed, and what each review answers in turn (close when the script runs out).
    QList<ListReview> reviews;
    QList<ReviewAnswer> review_answers;
    ReviewAnswer review_list(const ListReview& review) override {
        reviews.push_back(review);
        return review_answers.isEmpty() ? ReviewAnswer::close : review_answers.takeFirst();
    }
    std::optional<QString> choose_folder(const QString&) override {
        return folders.isEmpty() ? std::nullopt : folders.takeFirst();
    }

    std::optional<QString> choose_save_file(const QString& caption, const QString& folder,
                                            const QString&) override {
        save_dialog_folders << folder;
        save_dialog_captions << caption;
        ++save_dialogs_open_;
        most_save_dialogs_open = std::max(most_save_dialogs_open, save_dialogs_open_);
        if (const std::function<void()> during = std::exchange(while_save_dialog_open, nullptr)) {
            during();
        }
        --save_dialogs_open_;
        return save_files.isEmpty() ? std::nullopt : save_files.takeFirst();
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

private:
    int save_dialogs_open_ = 0;
};

}  // namespace inkwren::testing
