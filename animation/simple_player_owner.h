// An owner for a player that runs without the main window (tools, benchmarks, tests): its
// settings are a plain value, and what the player reports is kept in a list.
#pragma once

#include <QMap>
#include <QStringList>

#include "animation/player_owner.h"

namespace inkwren {

class SimplePlayerOwner : public PlayerOwner {
public:
    PadSettings pad;
    bool modified = false;
    QMap<QString, QString> texts;
    QStringList reports;
    std::vector<GifFrame> gif;  // the frames of the last capture handed over
    double gif_scale = 0;
    int gif_count = 0;

    PadSettings& settings() override { return pad; }
    void set_modified(bool is_modified) override { modified = is_modified; }
    QString text(const QString& key) const override { return texts.value(key); }
    void report(const QString& message) override { reports << message; }
    void write_gif(const std::vector<GifFrame>& frames, double scale) override {
        gif = frames;
        gif_scale = scale;
        ++gif_count;
    }
};

}  // namespace inkwren
