#include <gtest/gtest.h>

#include <QDir>

#include "animation/raster.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/companion_settings.h"
#include "strokes/stroke_text.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

class PlayerFilesTest : public testing::PlayerTest {
protected:
    QString write_strokes_file(const QString& name, int strokes) {
        write_file(folder.file(name), testing::sample_stroke_text(strokes));
        return folder.file(name);
    }
};

// Saved strokes loaded at zoom give back the file's coordinates and keep pen-up markers; an
// empty drawing leaves the target alone.
TEST_F(PlayerFilesTest, LoadingAtZoomAndSavingGivesBackTheFilesCoordinates) {
    auto player = make_player(300);
    write_file(folder.file("舊.wrt"), "old");
    player->save_stroke_file(QStringLiteral("舊"), folder.path());
    EXPECT_EQ(read_file(folder.file("舊.wrt")), QByteArray("old"));

    player->load_stroke_file(write_strokes_file(QStringLiteral("永.wrt"), 3));
    player->rebuild_lines();
    ASSERT_EQ(player->lines().count(), 3);
    EXPECT_DOUBLE_EQ(player->lines().items[0][0].x, 20 * 1.5);
    player->save_stroke_file(QStringLiteral("6C38"), folder.file("自定"));
    // Reading keeps only pen-up kinds in end markers, so the others come back as 0.
    EXPECT_EQ(read_file(folder.file("自定/6C38.wrt")),
              testing::sample_stroke_text(3).replace("-\t2\t-", "-\t0\t-"));

    const QByteArray text =
        "10\t10\t5\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t99\t-\r\n"
        "50\t50\t5\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t2\t-\r\n";
    write_file(folder.file("筆.wrt"), text);
    player->load_stroke_file(folder.file("筆.wrt"));
    player->save_stroke_file(QStringLiteral("筆"), folder.file("out"));
    EXPECT_EQ(read_file(folder.file("out/筆.wrt")), QByteArray(text).replace("-\t2\t-", "-\t0\t-"));
}

// A stroke file was applied as it was read, so a failure half way left the strokes of one
// character with the settings or records of another, or none at all. Damaged companion records,
// cut short or with a model text claiming more than its ten bytes, are refused whole.
TEST_F(PlayerFilesTest, AStrokeFileThatCannotBeLoadedLeavesTheShownCharacterPlayable) {
    QDir(folder.path()).mkpath(QStringLiteral("資料夾.wrt"));
    write_file(folder.file("未完.wrt"), "10\t10\t5\t0\t0\t0\t2\t0\r\n");  // a stroke left open
    CompanionSettings settings;
    settings.show_grid = false;
    settings.pen_speed = 50;
    QByteArray overlong = format_companion(settings);
    overlong[4] = char(11);
    write_file(folder.file("短.def"), format_companion(settings).left(263));
    write_file(folder.file("長.def"), overlong);
    write_strokes_file(QStringLiteral("短.wrt"), 2);
    write_strokes_file(QStringLiteral("長.wrt"), 2);
    for (const char* name : {"未完.wrt", "資料夾.wrt", "短.wrt", "長.wrt"}) {
        SCOPED_TRACE(name);
        auto player = make_player(200);
        player->load_stroke_file(write_strokes_file(QStringLiteral("永.wrt"), 3));
        player->rebuild_lines();
        const TObjList records = player->records();
        const QImage image = player->image();
        EXPECT_THROW(player->load_stroke_file(folder.file(QString::fromUtf8(name))), Error);
        EXPECT_EQ(player->records(), records);
        EXPECT_EQ(player->lines().count(), 3);
        EXPECT_EQ(player->image(), image);
        EXPECT_TRUE(player->show_grid());
        EXPECT_EQ(owner.pad.pen_speed, PadSettings().pen_speed);
        player->replay();
        EXPECT_TRUE(player->playing());
        player->stop_play();
    }
}

// An empty stroke file once showed its note over the grey underlay the previous character left
// on the background, and the note went when the strokes were rebuilt.
TEST_F(PlayerFilesTest, AnEmptyStrokeFileShowsItsNoteOverACleanBackground) {
    owner.texts[QStringLiteral("1032")] = QStringLiteral("這個筆劃檔案是空的");
    owner.pad.grey_first = true;
    write_file(folder.file("橫.wrt"),
               format_stroke_text(testing::lines_of({testing::stroke({{40, 150}, {160, 150}})})));
    write_file(folder.file("空.wrt"), "");
    auto player = make_player(200);
    player->load_stroke_file(folder.file("橫.wrt"));
    player->replay();
    player->play_tick();
    player->play_tick();
    ASSERT_EQ(color_at(player->back_bmp(), 150, 150), 0xBBBBBB);  // the grey underlay

    player->load_stroke_file(folder.file("空.wrt"));
    EXPECT_FALSE(player->playing());
    EXPECT_TRUE(player->records().empty());
    EXPECT_TRUE(player->lines().items.empty());
    EXPECT_EQ(color_at(player->image(), 150, 150), white_color);
    EXPECT_EQ(color_at(player->back_bmp(), 150, 150), white_color);
    const QImage with_note = player->image();
    EXPECT_NE(with_note, player->back_bmp());  // the note is drawn over the background
    player->rebuild_lines();
    EXPECT_EQ(player->image(), with_note);
}

// The companion's path is cut in the file name only. Its settings are applied, its grid until
// the pad's grid switch is used; its background picture, relative to the stroke file's folder,
// is shown centred in 24 bits, or reported missing.
TEST_F(PlayerFilesTest, CompanionSettingsAndBackgroundPicturesBesideTheStrokeFileAreApplied) {
    EXPECT_EQ(companion_path(QStringLiteral("/home/u/.local/課本/永.v2.wrt")),
              QStringLiteral("/home/u/.local/課本/永.def"));
    QDir(folder.path()).mkpath(QStringLiteral("課本.2"));
    QImage indexed(40, 40, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 255, 255), qRgb(200, 0, 0)});
    indexed.fill(1);
    ASSERT_TRUE(indexed.save(folder.file("課本.2/背景.bmp"), "BMP"));
    CompanionSettings settings;
    settings.show_grid = false;
    settings.pen_speed = 7;
    settings.back_pic_file = to_code_page(QStringLiteral("背景.bmp"), 936);
    write_file(folder.file("課本.2/字.def"), format_companion(settings));
    owner.pad.show_grid = true;
    auto player = make_player(200);
    player->load_stroke_file(write_strokes_file(QStringLiteral("課本.2/字.wrt"), 1));
    EXPECT_TRUE(is_24bit(player->back_pic()));
    EXPECT_EQ(color_at(player->back_bmp(), 100, 100), 0x0000C8);
    EXPECT_TRUE(owner.reports.isEmpty());
    EXPECT_EQ(owner.pad.pen_speed, 7);
    EXPECT_FALSE(player->show_grid());
    player->use_pad_grid();
    EXPECT_TRUE(player->show_grid());

    owner.texts[QStringLiteral("1030")] = QStringLiteral("找不到背景圖:");
    settings.back_pic_file = to_code_page(QStringLiteral("遺失.bmp"), 936);
    write_file(folder.file("課本.2/字.def"), format_companion(settings));
    auto second = make_player(200);
    second->load_stroke_file(folder.file("課本.2/字.wrt"));
    EXPECT_EQ(owner.reports, QStringList{QStringLiteral("找不到背景圖: 遺失.bmp")});
    EXPECT_EQ(color_at(second->back_bmp(), 100, 100), white_color);
}

}  // namespace
}  // namespace inkwren
