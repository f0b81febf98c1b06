// Renders characters from the installation folder's archives the way the pad shows them, into
// PNG files, for looking at the strokes: at rest, or with --play every frame the animated GIF
// capture keeps while the character is written (mode normal, two-colour or grey-first), or with
// --play steps one strip of the character after each step through its strokes.
// With --model the model picture of the character lies under the strokes. With --file a stroke
// file is shown as when it is dropped on the window, its companion settings applied (its pen
// speed too), before any characters. With --numbers the strokes' numbers are shown; with
// --smooth the ink is drawn anti-aliased, and the files' names end in "-smooth".
//   render_preview --install DIR --out DIR [--size N] [--play MODE] [--model] [--numbers]
//                  [--smooth] [--file PATH] [CHARACTER...]
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>

#include "animation/animationplayer.h"
#include "animation/lesson.h"
#include "animation/simple_player_owner.h"
#include "animation/stroke_model.h"
#include "pad/picture_dictionary.h"
#include "platform/error.h"
#include "tools/preview/archived_character.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using inkwren::tools::option;

const QString usage = QStringLiteral(
    "render_preview --install DIR --out DIR [--size N] [--play MODE] [--model] [--numbers] "
    "[--smooth] [--file PATH] [CHARACTER...]");

// Plays the loaded character to its end with capture on and writes the captured frames.
void write_played_frames(TAnimationPlayer& player, SimplePlayerOwner& owner, const QString& mode,
                         const QString& stem) {
    owner.pad.two_color = mode == QStringLiteral("two-colour");
    owner.pad.grey_first = mode == QStringLiteral("grey-first");
    owner.record_gif = true;
    player.replay();
    while (player.playing()) {
        player.play_tick();
    }
    for (std::size_t frame = 0; frame < owner.gif.size(); ++frame) {
        owner.gif[frame].bitmap.save(
            QStringLiteral("%1-%2-%3.png").arg(stem, mode).arg(frame, 3, 10, QLatin1Char('0')));
    }
    std::printf("%s: %zu frames\n", qPrintable(stem), owner.gif.size());
}

// The model pictures of the installation's dictionary, as the pad finds them.
ModelPictureLookup model_pictures(const QString& installation) {
    return [installation](const QString& character) {
        return find_model_picture(installation, character);
    };
}

// A player of a square pad of this side holding a stroke file with its companion settings,
// loaded the way a file dropped on the window is.
std::unique_ptr<TAnimationPlayer> load_dropped_file(SimplePlayerOwner& owner,
                                                    const QString& installation,
                                                    const QString& path, int pad_side) {
    if (!QFileInfo::exists(path)) {
        throw Error(QStringLiteral("The stroke file \"%1\" does not exist.").arg(path));
    }
    PlayerSettings settings = PlayerSettings::square(pad_side, installation);
    settings.model_pictures = model_pictures(installation);
    auto player = std::make_unique<TAnimationPlayer>(owner, std::move(settings));
    player->load_stroke_file(path);
    player->rebuild_lines();
    return player;
}

// One picture of the character after each step through its strokes, side by side.
void write_steps(TAnimationPlayer& player, const QString& stem) {
    const int count = CharacterStrokes(player.lines()).count();
    const QSize side = player.image().size();
    QImage strip(side.width() * std::max(count, 1), side.height(), QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    step_strokes(player, StrokeStep::none);
    for (int step = 0; step < count; ++step) {
        step_strokes(player, StrokeStep::next);
        painter.drawImage(step * side.width(), 0, player.image());
    }
    painter.end();
    strip.save(stem + QStringLiteral("-steps.png"));
    std::printf("%s-steps.png\n", qPrintable(stem));
}

// Writes the loaded character at rest, or played in a mode when one is given, or step by step.
void write_preview(TAnimationPlayer& player, SimplePlayerOwner& owner, const QString& mode,
                   const QString& stem) {
    if (mode == QLatin1String("steps")) {
        write_steps(player, stem);
        return;
    }
    if (!mode.isEmpty()) {
        write_played_frames(player, owner, mode, stem);
        return;
    }
    player.image().save(stem + QStringLiteral(".png"));
    std::printf("%s.png\n", qPrintable(stem));
}

}  // namespace

int main(int argc, char** argv) {
    tools::prefer_offscreen_platform();
    QGuiApplication app(argc, argv);
    try {
        QStringList arguments = app.arguments();
        const QString install = option(arguments, QStringLiteral("--install"), usage);
        const QString out = option(arguments, QStringLiteral("--out"), usage);
        const int size =
            option(arguments, QStringLiteral("--size"), usage, QStringLiteral("200")).toInt();
        const QString mode = option(arguments, QStringLiteral("--play"), usage, QString());
        const QString file = option(arguments, QStringLiteral("--file"), usage, QString());
        const bool model = arguments.removeAll(QStringLiteral("--model")) > 0;
        const bool numbers = arguments.removeAll(QStringLiteral("--numbers")) > 0;
        const bool smooth = arguments.removeAll(QStringLiteral("--smooth")) > 0;
        const QString suffix = smooth ? QStringLiteral("-smooth") : QString();
        QDir().mkpath(out);
        if (!file.isEmpty()) {
            SimplePlayerOwner owner;
            owner.pad.stroke_numbers = numbers;
            owner.pad.smooth_ink = smooth;
            const auto player = load_dropped_file(owner, install, file, size);
            for (const QString& report : owner.reports) {
                std::fprintf(stderr, "%s\n", qPrintable(report));
            }
            const QString name = QFileInfo(file).completeBaseName();
            write_preview(
                *player, owner, mode,
                QDir(out).filePath(QStringLiteral("%1-%2%3").arg(name).arg(size).arg(suffix)));
        }
        for (qsizetype at = 1; at < arguments.size(); ++at) {
            const QString& character = arguments[at];
            if (character.startsWith(QStringLiteral("--"))) {
                ++at;  // an option and its value
                continue;
            }
            SimplePlayerOwner owner;
            owner.pad.pen_speed = 2;
            owner.pad.stroke_numbers = numbers;
            owner.pad.smooth_ink = smooth;
            const auto player =
                load_archived_character(owner, install, character, size,
                                        model ? model_pictures(install) : ModelPictureLookup());
            if (!player) {
                std::fprintf(stderr, "%s is in neither archive\n", qPrintable(character));
                continue;
            }
            if (model) {
                player->draw_model(character);
                player->reset_background();
                player->show_static();
            }
            write_preview(
                *player, owner, mode,
                QDir(out).filePath(QStringLiteral("%1-%2%3").arg(character).arg(size).arg(suffix)));
        }
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "render_preview: %s\n", qPrintable(error.message()));
        return 1;
    }
}
