// Every message box and question the program shows goes through this interface: the program
// uses Qt's dialogs, tests a scripted stand-in that records what was shown and answers as told.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace inkwren {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An information box with one OK button.
    virtual void inform(const QString& caption, const QString& text) = 0;

    // A question with Yes and No; true for Yes.
    virtual bool ask(const QString& caption, const QString& text) = 0;

    // The colour chooser, opening at initial (0x00BBGGRR); nothing when the user cancels.
    virtual std::optional<std::int32_t> choose_colour(std::int32_t initial) = 0;
};

}  // namespace inkwren
