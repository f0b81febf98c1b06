// What an animation player is made with: its size and scale, the character it shows, where
// the program's pictures and temporary files are, and where model pictures come from. Given
// once, when the player is made; a new character gets a new player.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace inkwren {

// The model picture of a character (as text), or nothing. It may throw Error for damaged data.
using ModelPictureLookup = std::function<std::optional<QImage>(const QString& character)>;

inline constexpr int unzoomed_pad_side = 200;

// The folder of temporary stroke files, in the program folder.
inline constexpr auto temp_folder_name = "tmp/";

struct PlayerSettings {
    QSize pad_size{unzoomed_pad_side, unzoomed_pad_side};
    // The zoom: coordinates are loaded and pens drawn at this factor.
    double scale = 1.0;
    QString zi;              // the character shown; names the temporary workbook
    QString program_folder;  // holds "pen.bmp", "flashbar.bmp" and "tmp/"
    // Where temporary stroke files go instead of the program folder's "tmp/", when given: a
    // player working beside others keeps its temporary files apart from theirs.
    QString temp_folder;
    int legacy_code_page = 936;
    ModelPictureLookup model_pictures;
    // A player that only hands its strokes on, to be made into files, and is never seen or
    // played: it draws nothing, holds no layers and reads archive entries without temporary
    // files.
    bool unseen = false;

    // A square pad of this side, zoomed to match.
    static PlayerSettings square(int side, QString program_folder) {
        PlayerSettings settings;
        settings.pad_size = QSize(side, side);
        settings.scale = side / double(unzoomed_pad_side);
        settings.program_folder = std::move(program_folder);
        return settings;
    }
};

}  // namespace inkwren
