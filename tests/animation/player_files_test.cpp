#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/simple_player_owner.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/companion_settings.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

class PlayerFilesTest : public ::testing::Test {
protected:
    std::unique_ptr<TAnimationPlayer> make_player(int size) {
        auto player = std::make_unique<TAnimationPlayer>(owner, folder.path());
        player->pad_w = player->pad_h = size;
        player->coord_scale = player->pen_scale = size / 200.0;
        player->init_pad();
        return player;
    }

    QString write_strokes_file(const QString& name, int strokes) {
        write_file(folder.file(name), testing::sample_stroke_text(strokes));
        return folder.file(name);
    }

    TempFolder folder;
    SimplePlayerOwner owner;
};

TEST_F(PlayerFilesTest, LoadingAtZoomAndSavingGivesBackTheFilesCoordinates) {
    auto player = make_player(300);
    player->load_stroke_file(write_strokes_file(QStringLiteral("永.wrt"), 3));
    player->rebuild_lines();
    ASSERT_EQ(player->lines.count(), 3);
    EXPECT_DOUBLE_EQ(player->lines.items[0][0].x, 20 * 1.5);
    // The temporary copy holds the zoomed strokes.
    EXPECT_TRUE(QFileInfo::exists(player->temp_dir() + QStringLiteral("tmp.wrt")));

    player->save_stroke_file(QStringLiteral("6C38"), folder.file("自定"));
    // Reading keeps only pen-up kinds in end markers, so the others come back as 0.
    EXPECT_EQ(read_file(folder.file("自定/6C38.wrt")),
              testing::sample_stroke_text(3).replace("-\t2\t-", "-\t0\t-"));
}

TEST_F(PlayerFilesTest, SavingAnEmptyDrawingLeavesTheTargetAlone) {
    auto player = make_player(200);
    write_file(folder.file("舊.wrt"), "old");
    player->save_stroke_file(QStringLiteral("舊"), folder.path());
    EXPECT_EQ(read_file(folder.file("舊.wrt")), QByteArray("old"));
    player->save_stroke_file(QStringLiteral("新"), folder.path());
    EXPECT_FALSE(QFileInfo::exists(folder.file("新.wrt")));
}

TEST_F(PlayerFilesTest, SavingKeepsPenUpMarkers) {
    auto player = make_player(200);
    const QByteArray text =
        "10\t10\t5\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t99\t-\r\n"
        "50\t50\t5\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t2\t-\r\n";
    write_file(folder.file("筆.wrt"), text);
    player->load_stroke_file(folder.file("筆.wrt"));
    player->save_stroke_file(QStringLiteral("筆"), folder.file("out"));
    EXPECT_EQ(read_file(folder.file("out/筆.wrt")), QByteArray(text).replace("-\t2\t-", "-\t0\t-"));
}

TEST_F(PlayerFilesTest, AnEmptyStrokeFileLoadsNothing) {
    owner.texts[QStringLiteral("1032")] = QStringLiteral("沒有筆劃");
    auto player = make_player(200);
    write_file(folder.file("空.wrt"), "");
    player->load_stroke_file(folder.file("空.wrt"));
    EXPECT_TRUE(player->lines.items.empty());
    EXPECT_NE(player->image, make_bitmap(200, 200));  // the note is drawn
}

TEST_F(PlayerFilesTest, CompanionSettingsAreApplied) {
    CompanionSettings settings;
    settings.show_grid = false;
    settings.grey_first = false;
    settings.show_model = true;
    settings.model_text = "\xD3\xC0";
    settings.font_name = "AR PL UKai CN";
    settings.font_size = 24;
    settings.font_style = 1;
    settings.pen_speed = 7;
    settings.stroke_interval = 3;
    write_file(folder.file("範例.def"), format_companion(settings));
    auto player = make_player(200);
    player->load_stroke_file(write_strokes_file(QStringLiteral("範例.wrt"), 2));
    EXPECT_FALSE(player->show_grid);
    EXPECT_FALSE(player->grey_first);
    EXPECT_TRUE(player->show_model);
    EXPECT_EQ(player->zi, QStringLiteral("永"));
    EXPECT_EQ(owner.font_family, QStringLiteral("AR PL UKai CN"));
    EXPECT_EQ(owner.font_size, 24);
    EXPECT_EQ(owner.speed, 7);
    EXPECT_EQ(owner.interval, 3);
}

TEST_F(PlayerFilesTest, CompanionPathIsCutInTheFileNameOnly) {
    EXPECT_EQ(companion_path(QStringLiteral("/home/u/.local/課本/永.v2.wrt")),
              QStringLiteral("/home/u/.local/課本/永.def"));
    EXPECT_EQ(companion_path(QStringLiteral("tmp/recent.wrt")), QStringLiteral("tmp/recent.def"));
    QDir(folder.path()).mkpath(QStringLiteral("版本.2"));
    CompanionSettings settings;
    settings.show_grid = false;
    write_file(folder.file("版本.2/字.def"), format_companion(settings));
    auto player = make_player(200);
    player->load_stroke_file(write_strokes_file(QStringLiteral("版本.2/字.wrt"), 1));
    EXPECT_FALSE(player->show_grid);
}

TEST_F(PlayerFilesTest, DamagedCompanionRecordsAreRefusedWhole) {
    CompanionSettings settings;
    settings.show_grid = false;
    QByteArray overlong = format_companion(settings);
    overlong[4] = char(11);  // the model text claims more than its ten bytes
    for (const QByteArray& record : {format_companion(settings).left(263), overlong}) {
        write_file(folder.file("壞.def"), record);
        auto player = make_player(200);
        EXPECT_THROW(player->load_stroke_file(write_strokes_file(QStringLiteral("壞.wrt"), 1)),
                     Error);
        EXPECT_TRUE(player->show_grid);
    }
}

TEST_F(PlayerFilesTest, BackgroundPicturesAreShownIn24BitsOrReportedMissing) {
    QImage indexed(40, 40, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 255, 255), qRgb(200, 0, 0)});
    indexed.fill(1);
    ASSERT_TRUE(indexed.save(folder.file("背景.bmp"), "BMP"));
    CompanionSettings settings;
    settings.back_pic_file = to_code_page(QStringLiteral("背景.bmp"), 936);
    write_file(folder.file("底.def"), format_companion(settings));
    auto player = make_player(200);
    player->load_stroke_file(write_strokes_file(QStringLiteral("底.wrt"), 1));
    EXPECT_TRUE(is_24bit(player->back_pic));
    EXPECT_EQ(color_at(player->back_bmp, 100, 100), 0x0000C8);  // centred 40 × 40 picture

    owner.texts[QStringLiteral("1030")] = QStringLiteral("找不到背景圖: ");
    settings.back_pic_file = "missing.bmp";
    write_file(folder.file("底.def"), format_companion(settings));
    auto second = make_player(200);
    second->load_stroke_file(folder.file("底.wrt"));
    ASSERT_EQ(owner.reports.size(), 1);
    EXPECT_EQ(owner.reports[0], QStringLiteral("找不到背景圖: missing.bmp"));
    EXPECT_EQ(color_at(second->back_bmp, 100, 100), white_color);
}

TEST_F(PlayerFilesTest, ARelativeBackgroundPictureIsFoundBesideItsStrokeFile) {
    QDir(folder.path()).mkpath(QStringLiteral("課本"));
    ASSERT_TRUE(make_bitmap(20, 20, 0x00FF00).save(folder.file("課本/紙.bmp"), "BMP"));
    CompanionSettings settings;
    settings.back_pic_file = to_code_page(QStringLiteral("紙.bmp"), 936);
    write_file(folder.file("課本/字.def"), format_companion(settings));
    auto player = make_player(200);
    player->load_stroke_file(write_strokes_file(QStringLiteral("課本/字.wrt"), 1));
    EXPECT_TRUE(owner.reports.isEmpty());
    EXPECT_EQ(color_at(player->back_bmp, 100, 100), 0x00FF00);
}

TEST_F(PlayerFilesTest, AnAbsentArchiveKeyReloadsThePreviousRecentFile) {
    testing::build_archive(
        folder.path(),
        {testing::archive_source(QStringLiteral("永"), testing::sample_stroke_text(5))});
    owner.code_page = 936;
    owner.column = IndexColumn::gb;
    auto player = make_player(200);
    player->load_from_archive(QStringLiteral("永"), folder.file("strokes.cdf"),
                              folder.file("strokes-idx.dat"));
    player->rebuild_lines();
    EXPECT_EQ(player->lines.count(), 5);
    auto next = make_player(200);
    next->load_from_archive(QStringLiteral("国"), folder.file("strokes.cdf"),
                            folder.file("strokes-idx.dat"));
    next->rebuild_lines();
    EXPECT_EQ(next->lines.count(), 5);
}

}  // namespace
}  // namespace inkwren
