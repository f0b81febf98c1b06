#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include "app/config_files.h"
#include "app/preference_record.h"
#include "app/user_folder.h"
#include "app/view_settings.h"
#include "output/sheet_settings_record.h"
#include "platform/error.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::big5;
using testing::gbk;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

// A length byte, the text, and zeros up to the field's capacity.
QByteArray text_field(const QByteArray& text, int capacity) {
    return char(text.size()) + text + QByteArray(capacity - text.size(), '\0');
}

QByteArray default_prefer_cfg() {
    return QByteArray(1, '\x01') + text_field("english.txt", 60) + text_field("", 60) +
           QByteArray(1, '\0') + QByteArray::fromHex("05000000") + text_field("strokes.cdf", 60) +
           QByteArray(3, '\0');
}

QByteArray default_config_dat() {
    return QByteArray::fromHex(
               "08000000 01000000 00000000 c0c0c000 01000000 02000000 00aaff00 01000000"
               "02000000 0000ff00 01000000 00000000 00000000") +
           text_field("\xB2\xD3\xA9\xFA\xC5\xE9", 40) + QByteArray(3, '\0') +
           QByteArray::fromHex("10000000 00000000 02000000");
}

class ConfigFilesTest : public ::testing::Test {
protected:
    QString prefer() const { return folder.file("prefer.cfg"); }
    QString config() const { return folder.file("config.dat"); }
    QString sys_cfg() const { return folder.file("sys.cfg"); }
    QString subfolder(const QString& name) const {
        QDir(folder.path()).mkdir(name);
        return folder.file(name);
    }
    QString output_folder_from(const QByteArray& sys_cfg_text) {
        write_file(sys_cfg(), sys_cfg_text);
        return resolve_output_folder(sys_cfg(), shell);
    }

    TempFolder folder;
    ShellFolders shell{QStringLiteral("/home/學生/文件"), QStringLiteral("/home/學生/桌面"),
                       QStringLiteral("/home/學生/圖片")};
};

TEST_F(ConfigFilesTest, FirstStartWritesTheDefaultFilesAndTheSecondReadsThem) {
    shell.desktop = subfolder(QStringLiteral("桌面"));
    const PreferenceLoad preference = load_or_create_preference(prefer());
    const SheetSettingsLoad sheet = load_or_create_sheet_settings(config());
    EXPECT_EQ(preference.outcome, LoadOutcome::created);
    EXPECT_EQ(sheet.outcome, LoadOutcome::created);
    EXPECT_EQ(read_file(prefer()), default_prefer_cfg());
    EXPECT_EQ(read_file(config()), default_config_dat());
    EXPECT_EQ(resolve_output_folder(sys_cfg(), shell), shell.desktop);
    EXPECT_EQ(read_file(sys_cfg()), shell.desktop.toUtf8() + "\r\n");

    EXPECT_EQ(load_or_create_preference(prefer()).outcome, LoadOutcome::read);
    EXPECT_EQ(load_or_create_sheet_settings(config()).settings, SheetSettings{});
    EXPECT_EQ(resolve_output_folder(sys_cfg(), shell), shell.desktop);
}

// The desktop folder was the default even where it did not exist, and the save dialog then
// proposed "Desktop" as the file name.
TEST_F(ConfigFilesTest, AMissingDesktopFolderIsNotTheDefaultOutputFolder) {
    const QString desktop = folder.file("桌面");
    const QString pictures = folder.file("圖片");
    const struct {
        bool desktop_exists;
        bool pictures_exists;
        QString expected;
    } cases[] = {{true, true, desktop}, {false, true, pictures}, {false, false, QDir::homePath()}};
    for (const auto& shown : cases) {
        QDir(desktop).removeRecursively();
        QDir(pictures).removeRecursively();
        if (shown.desktop_exists) {
            QDir().mkpath(desktop);
        }
        if (shown.pictures_exists) {
            QDir().mkpath(pictures);
        }
        QFile::remove(sys_cfg());
        EXPECT_EQ(resolve_output_folder(sys_cfg(), {shell.personal, desktop, pictures}),
                  shown.expected);
    }
}

TEST_F(ConfigFilesTest, DamagedRecordsAreReplacedByTheDefaultsWithAMessage) {
    QByteArray long_language = default_prefer_cfg();
    long_language[1] = 61;
    QByteArray long_font = default_config_dat();
    long_font[52] = 41;
    for (const auto& [prefer_bytes, config_bytes] :
         {std::pair{default_prefer_cfg().left(191), default_config_dat().left(107)},
          std::pair{long_language, long_font}}) {
        write_file(prefer(), prefer_bytes);
        write_file(config(), config_bytes);
        const PreferenceLoad preference = load_or_create_preference(prefer());
        const SheetSettingsLoad sheet = load_or_create_sheet_settings(config());
        EXPECT_EQ(preference.outcome, LoadOutcome::replaced);
        EXPECT_EQ(sheet.outcome, LoadOutcome::replaced);
        EXPECT_TRUE(preference.message.contains(prefer())) << preference.message.toStdString();
        EXPECT_TRUE(sheet.message.contains(config())) << sheet.message.toStdString();
        EXPECT_EQ(read_file(prefer()), default_prefer_cfg());
        EXPECT_EQ(read_file(config()), default_config_dat());
    }
    // A record of zeros named no language file and stopped every start without resetting.
    write_file(prefer(), QByteArray(192, '\0'));
    EXPECT_EQ(load_or_create_preference(prefer()).outcome, LoadOutcome::replaced);
    EXPECT_EQ(read_file(prefer()), default_prefer_cfg());
}

TEST_F(ConfigFilesTest, RecordsAreWrittenAtTheirOffsetsAndComeBackAsSaved) {
    const QByteArray caption = QStringLiteral("我的語言").toUtf8();
    const PreferenceRecord preference{"mylang.txt", caption, 3, "tstrokes.cdf"};
    save_preference(prefer(), preference);
    EXPECT_EQ(read_file(prefer()), QByteArray(1, '\x01') + text_field("mylang.txt", 60) +
                                       text_field(caption, 60) + QByteArray(1, '\0') +
                                       QByteArray::fromHex("03000000") +
                                       text_field("tstrokes.cdf", 60) + QByteArray(3, '\0'));
    EXPECT_EQ(load_or_create_preference(prefer()).record, preference);

    SheetSettings sheet;
    sheet.per_row = 15;
    sheet.main_color = 0x0000FF;
    sheet.grid_on = false;
    sheet.second_color = 0x123456;
    sheet.numeral_kind = NumeralKind::arabic;
    sheet.font_name = "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9";  // 新細明體
    sheet.font_style = 0b1011;
    QByteArray expected = default_config_dat();
    expected[0] = 15;
    expected[8] = char(0xFF);
    expected[16] = 0;
    expected.replace(36, 4, QByteArray::fromHex("56341200"));
    expected[44] = 1;
    expected.replace(52, 9, "\x08" + sheet.font_name);
    expected[100] = 0b1011;
    save_sheet_settings(config(), sheet);
    EXPECT_EQ(read_file(config()), expected);
    EXPECT_EQ(load_or_create_sheet_settings(config()).settings, sheet);
    EXPECT_EQ(sheet_slots(sheet)[9], 0x123456) << "the pad's highlight colour is slot 9";
}

TEST(SheetSlotsTest, FlagsAreTheFirstByteOfTheirSlotAndFontNamesAreCut) {
    SheetSlots record_slots = sheet_slots(SheetSettings{});
    record_slots[4] = 0x7F7F7F00;  // grid_on: first byte zero
    record_slots[7] = 0x00000100;  // underlay_on: first byte zero
    const SheetSettings read = sheet_settings_from_slots(record_slots);
    EXPECT_FALSE(read.grid_on);
    EXPECT_FALSE(read.underlay_on);

    SheetSettings long_name;
    long_name.font_name = QByteArray(45, 'F');
    EXPECT_EQ(parse_sheet_settings(format_sheet_settings(long_name), {}).font_name,
              QByteArray(40, 'F'));
    EXPECT_EQ(sheet_slots(long_name)[24], 16) << "the font size stays in its own slot";
}

TEST(CaptionTest, IsCutToSixtyBytesAtACharacterBoundary) {
    const QString twenty = QString(20, QChar(0x6587));  // 文, three bytes each
    EXPECT_EQ(caption_bytes(twenty + QStringLiteral("字")), twenty.toUtf8());
    EXPECT_EQ(caption_bytes(twenty), twenty.toUtf8());
    EXPECT_EQ(caption_bytes(QString(59, 'a') + QStringLiteral("語")), QByteArray(59, 'a'));
    EXPECT_EQ(caption_bytes(QString(58, 'a') + QStringLiteral("𠀀b")), QByteArray(58, 'a'));
}

TEST_F(ConfigFilesTest, OutputFolderFollowsTheFirstLineOfSysCfg) {
    const QString existing = subfolder(QStringLiteral("輸出"));
    EXPECT_EQ(output_folder_from("  pERSONAL \r\n/elsewhere\r\n"), shell.personal + "/");
    EXPECT_EQ(output_folder_from("\r\n" + existing.toUtf8()), shell.personal + "/");
    EXPECT_EQ(output_folder_from(" " + existing.toUtf8() + " \r\n"), existing);
    EXPECT_EQ(output_folder_from(existing.toUtf8() + "/不在"), QDir::homePath());
    EXPECT_EQ(read_file(sys_cfg()), existing.toUtf8() + "/不在") << "a read never rewrites it";

    QFile::remove(sys_cfg());
    EXPECT_EQ(resolve_output_folder(sys_cfg(), {shell.personal, {}, {}}), QDir::homePath());
    EXPECT_EQ(read_file(sys_cfg()), QDir::homePath().toUtf8() + "\r\n");
}

TEST_F(ConfigFilesTest, ASettingsFileThatIsAFolderIsAnErrorNotMissing) {
    EXPECT_FALSE(read_settings_file(folder.file("沒有.cfg"), -1));
    const QString named_folder = subfolder(QStringLiteral("設定.cfg"));
    EXPECT_TRUE(
        testing::error_of([&] { read_settings_file(named_folder, 192); }).contains(named_folder));
    // Nor is it replaced by the defaults, which would need the folder removed.
    EXPECT_THROW(load_or_create_preference(named_folder), Error);
    write_file(prefer(), default_prefer_cfg() + "more");
    EXPECT_EQ(read_settings_file(prefer(), 192), default_prefer_cfg());
}

TEST_F(ConfigFilesTest, FlagFileHoldingOneIsResetAndAnythingElseLeftAlone) {
    const QString flag = folder.file("1.txt");
    const std::pair<QByteArray, QByteArray> flags[] = {
        {"1\r\n", "0\r\n"}, {" 1 ", "0\r\n"}, {"10\r\n", "10\r\n"}, {"", ""}};
    for (const auto& [before, after] : flags) {
        write_file(flag, before);
        reset_flag_file(flag);
        EXPECT_EQ(read_file(flag), after);
    }
    QFile::remove(flag);
    reset_flag_file(flag);
    EXPECT_FALSE(QFile::exists(flag));
}

TEST_F(ConfigFilesTest, StartCharacterIsTheSecondPairOfTheTrimmedFirstLine) {
    const QString textlist = folder.file("textlist.txt");
    using Status = StartCharacter::Status;
    EXPECT_EQ(read_start_character(textlist, 936).status, Status::missing);

    write_file(textlist, "  " + big5(QStringLiteral("永")) + "\xD3  \r\n" + gbk("永"));
    EXPECT_EQ(read_start_character(textlist, 936).status, Status::too_short);

    write_file(textlist, " " + big5(QStringLiteral("永")) + gbk(QStringLiteral("永")) + "\r\n");
    EXPECT_EQ(read_start_character(textlist, 936).text, QStringLiteral("永"));

    write_file(textlist, big5(QStringLiteral("永")) + big5(QStringLiteral("體")));
    EXPECT_EQ(read_start_character(textlist, 950).text, QStringLiteral("體"));
}

// A stale path is what an installation since removed leaves: a folder whose links to the data
// dangle.
TEST_F(ConfigFilesTest, TheInstallationFolderIsTheRegisteredOneHoldingTheArchiveEndingInASlash) {
    const QString ini = folder.file("登錄.ini");
    const Registry registry(ini);
    const QString working = QStringLiteral("/home/學生/筆順");
    const QString installed = folder.file("墨鷦");
    QDir().mkpath(installed);
    write_file(installed + QStringLiteral("/strokes.cdf"), "archive");
    const QString removed = folder.file("已移除");
    QDir().mkpath(removed);
    QFile::link(QStringLiteral("/沒有/strokes.cdf"), removed + QStringLiteral("/strokes.cdf"));
    const QByteArray key = "[Software\\Marlowen Technology\\inkwren\\iwren1.0]\n";
    EXPECT_EQ(installation_folder(registry, working), working + "/");
    const std::pair<QByteArray, QString> cases[] = {
        {"legacy code page=950", working + "/"},
        {"installation path= " + installed.toUtf8() + " ", installed + "/"},
        {"installation path= " + installed.toUtf8() + "/ ", installed + "/"},
        {"installation path=" + removed.toUtf8(), working + "/"}};
    for (const auto& [line, expected] : cases) {
        write_file(ini, key + line + "\n");
        EXPECT_EQ(installation_folder(registry, working), expected) << line.toStdString();
    }
}

TEST_F(ConfigFilesTest, ViewSwitchesAreWrittenAsLinesAndAnythingElseReadsAsTheDefaults) {
    // Written and read back by the switch's window test. Written by hand: blanks, other line ends
    // and lines of later switches are taken.
    const ViewSettings written = parse_view_settings("pen_colour=3\n stroke_numbers = 1 \n");
    EXPECT_TRUE(written.stroke_numbers);
    EXPECT_EQ(written.standard, StrokeOrderStandard::taiwan);
    EXPECT_EQ(parse_view_settings("stroke_order=mainland\r\n").standard,
              StrokeOrderStandard::mainland);
    EXPECT_EQ(parse_view_settings("stroke_order=Mainland\r\n").standard,
              StrokeOrderStandard::taiwan);
    for (const QByteArray& damaged :
         {QByteArray("stroke_numbers=yes\r\n"), QByteArray("=1\r\n"), QByteArray(300, '\xFF')}) {
        EXPECT_FALSE(parse_view_settings(damaged).stroke_numbers) << damaged.toHex().data();
    }
    QDir().mkpath(folder.file("資料夾.cfg"));  // a folder where the file should be
    EXPECT_EQ(load_view_settings(folder.file("資料夾.cfg")), ViewSettings{});
}

TEST_F(ConfigFilesTest, EachUserOfAnInstalledProgramWritesTheirOwnViewSettings) {
    const InstalledLayout layout{folder.file("共享/"), folder.file("學生/")};
    QDir().mkpath(layout.shared);
    write_file(layout.shared + QStringLiteral("view.cfg"), "stroke_numbers=1\r\n");
    write_file(layout.shared + QStringLiteral("lang.txt"), "");
    prepare_user_folder(layout);
    EXPECT_TRUE(QFileInfo(layout.user + QStringLiteral("lang.txt")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(layout.user + QStringLiteral("view.cfg")));
}

TEST(KeepOnScreenTest, ParksInTheCornerOrPullsBackOnlyAsFarAsNeeded) {
    const struct {
        QRect window;
        int mode;
        QPoint placed;
    } cases[] = {{{10, 10, 300, 400}, 1, {721, 333}},
                 {{-40, 20, 300, 400}, 0, {-40, 20}},
                 {{722, 20, 300, 400}, 0, {721, 20}},
                 {{100, 334, 300, 400}, 0, {100, 333}},
                 // A window taller than the screen keeps its top on it.
                 {{100, 0, 300, 800}, 0, {100, 5}}};
    for (const auto& each : cases) {
        EXPECT_EQ(keep_on_screen(each.window, {1024, 768}, each.mode), each.placed);
    }
}

}  // namespace
}  // namespace inkwren
