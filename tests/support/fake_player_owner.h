// A stand-in for the window that owns an animation player: settings a test sets directly, and
// a record of what the player reported.
#pragma once

#include <QMap>
#include <QStringList>

#include "animation/player_owner.h"

namespace inkwren::testing {

class FakePlayerOwner : public PlayerOwner {
public:
    int speed = 2;
    int interval = 0;
    bool flash_view = true;
    int flashes = 3;
    bool marks = false;
    bool grey_first = true;
    bool two_color = true;
    int modified_count = 0;
    QMap<QString, QString> texts;
    QStringList reports;

    int pen_speed() const override { return speed; }
    int stroke_interval() const override { return interval; }
    bool flash_bar_view() const override { return flash_view; }
    int flash_count() const override { return flashes; }
    bool edit_marks() const override { return marks; }
    void set_edit_marks(bool on) override { marks = on; }
    bool grey_first_setting() const override { return grey_first; }
    void set_grey_first_setting(bool on) override { grey_first = on; }
    bool two_color_setting() const override { return two_color; }
    void set_two_color_setting(bool on) override { two_color = on; }
    void set_modified() override { ++modified_count; }
    QString text(const QString& key) const override { return texts.value(key); }
    void report(const QString& message) override { reports << message; }
};

}  // namespace inkwren::testing
