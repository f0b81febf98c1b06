// Dialogs for benchmarks: boxes are counted, questions answered No, choosers cancelled.
#pragma once

#include "platform/dialogs.h"

namespace inkwren {

class SilentDialogs : public Dialogs {
public:
    int shown = 0;
    void inform(const QString&, const QString&) override { ++shown; }
    bool ask(const QString&, const QString&) override { return false; }
    std::optional<std::int32_t> choose_colour(std::int32_t) override { return std::nullopt; }
    std::optional<FontChoice> choose_font(const FontChoice&) override { return std::nullopt; }
    std::optional<QString> choose_folder(const QString&) override { return std::nullopt; }
    std::optional<QString> choose_save_file(const QString&, const QString&,
                                            const QString&) override {
        return std::nullopt;
    }
};

}  // namespace inkwren
