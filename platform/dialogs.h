// Every message box and question the program shows goes through this interface: the program
// uses Qt's dialogs, tests a scripted stand-in that records what was shown and answers as told.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace inkwren {

// A font as the font chooser gives it.
struct FontChoice {
    QString family;
    int point_size = 0;
    int style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strikeout

    bool operator==(const FontChoice&) const = default;
};

// A list to look over with three ways out, as the practice review shows the characters to
// practise again.
struct ListReview {
    QString caption;
    QString text;
    QStringList lines;
    QString first_action;  // the buttons' captions
    QString second_action;
    QString close;
};
enum class ReviewAnswer { close, first_action, second_action };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An information box with one OK button.
    virtual void inform(const QString& caption, const QString& text) = 0;

    // A question with Yes and No; true for Yes.
    virtual bool ask(const QString& caption, const QString& text) = 0;

    // The colour chooser, opening at initial (0x00BBGGRR); nothing when the user cancels.
    virtual std::optional<std::int32_t> choose_colour(std::int32_t initial) = 0;

    // The font chooser, opening at initial; nothing when the user cancels.
    virtual std::optional<FontChoice> choose_font(const FontChoice& initial) = 0;

    // The folder browser; nothing when the user cancels.
    virtual std::optional<QString> choose_folder(const QString& start) = 0;

    // A save dialog opening in folder with an empty name; filter as Qt writes it
    // ("jpeg (*.jpg)"). Answers the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> choose_save_file(const QString& caption, const QString& folder,
                                                    const QString& filter) = 0;

    // The list and its buttons; answers the button pressed (close when the box is closed).
    virtual ReviewAnswer review_list(const ListReview& review) = 0;
};

// Dialogs nobody answers, for running without a user: every question is answered no and every
// chooser cancelled. What a message does is left to the one who runs.
class UnansweredDialogs : public Dialogs {
public:
    bool ask(const QString&, const QString&) override { return false; }
    std::optional<std::int32_t> choose_colour(std::int32_t) override { return std::nullopt; }
    std::optional<FontChoice> choose_font(const FontChoice&) override { return std::nullopt; }
    std::optional<QString> choose_folder(const QString&) override { return std::nullopt; }
    std::optional<QString> choose_save_file(const QString&, const QString&,
                                            const QString&) override {
        return std::nullopt;
    }
    ReviewAnswer review_list(const ListReview&) override { return ReviewAnswer::close; }
};

}  // namespace inkwren
