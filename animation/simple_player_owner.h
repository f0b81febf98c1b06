// An owner for a player that runs without the main window (tools, benchmarks, tests): its
// settings are plain fields, and what the player reports is kept in a list.
#pragma once

#include <QMap>
#include <QStringList>

#include "animation/player_owner.h"

namespace inkwren {

class SimplePlayerOwner : public PlayerOwner {
public:
    int speed = 2;
    int interval = 0;
    bool flash_view = true;
    int flashes = 3;
    bool marks = false;
    bool grey_first = true;
    bool two_color = true;
    int modified_count = 0;
    int code_page = 936;
    IndexColumn column = IndexColumn::gb;
    QString font_family;
    int font_size = 0;
    std::uint8_t font_style = 0;
    QMap<QString, QString> texts;
    QStringList reports;
    std::vector<GifFrame> gif;  // the frames of the last capture handed over
    double gif_scale = 0;
    int gif_count = 0;

    int pen_speed() const override { return speed; }
    int stroke_interval() const override { return interval; }
    void set_sliders(int pen_speed, int stroke_interval) override {
        speed = pen_speed;
        interval = stroke_interval;
    }
    void set_model_font(const QString& family, int size, std::uint8_t style) override {
        font_family = family;
        font_size = size;
        font_style = style;
    }
    int legacy_code_page() const override { return code_page; }
    IndexColumn lookup_column() const override { return column; }
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
    void write_gif(const std::vector<GifFrame>& frames, double scale) override {
        gif = frames;
        gif_scale = scale;
        ++gif_count;
    }
};

}  // namespace inkwren
