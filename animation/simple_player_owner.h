// An owner for a player that runs without the main window (tools, benchmarks, tests): its
// settings are a plain value, and what the player reports is kept in a list.
#pragma once

#include <QMap>
#include <QStringList>

#include "animation/player_owner.h"

namespace inkwren {

// One captured frame and how long it shows, in hundredths of a second.
struct GifFrame {
    QImage bitmap;
    int delay = 0;
};

// A capture that keeps its frames as they came.
class KeptFrames : public FrameRecorder {
public:
    std::vector<GifFrame> frames;
    void add(const QImage& frame, int delay) override { frames.push_back({frame.copy(), delay}); }
    QByteArray finish() override { return {}; }  // the frames themselves are the result
};

class SimplePlayerOwner : public PlayerOwner {
public:
    PadSettings pad;
    bool record_gif = false;
    bool modified = false;
    QMap<QString, QString> texts;
    QStringList reports;
    std::vector<GifFrame> gif;  // the frames of the last capture handed over
    int gif_count = 0;

    const PadSettings& settings() const override { return pad; }
    void take_companion(const CompanionPad& companion) override {
        pad.pen_speed = companion.pen_speed;
        pad.stroke_interval = companion.stroke_interval;
        pad.model_font = companion.model_font;
    }
    void set_modified(bool is_modified) override { modified = is_modified; }
    QString text(const QString& key) const override { return texts.value(key); }
    void report(const QString& message) override { reports << message; }
    bool capture_on() const override { return record_gif; }
    std::unique_ptr<FrameRecorder> start_capture() override {
        return std::make_unique<KeptFrames>();
    }
    void write_gif(std::unique_ptr<FrameRecorder> capture) override {
        gif = std::move(dynamic_cast<KeptFrames&>(*capture).frames);
        ++gif_count;
    }
};

}  // namespace inkwren
