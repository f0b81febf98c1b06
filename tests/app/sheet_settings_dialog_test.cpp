#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <vector>

#include "app/config_files.h"
#include "app/sheet_settings_dialog.h"
#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/step_by_step_window.h"
#include "platform/code_page.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

// ---- The rules, without the dialog

TEST(SheetDialogRules, EachSwitchEnablesItsOwnControls) {
    SheetDialogChoices choices;
    choices.underlay_on = false;
    choices.grid_on = false;
    choices.numbers_on = false;
    choices.color_mode = 0;
    EXPECT_EQ(sheet_dialog_enabling(choices), (SheetDialogEnabling{false, false, false, false}));
    choices.underlay_on = true;
    EXPECT_EQ(sheet_dialog_enabling(choices), (SheetDialogEnabling{true, false, false, false}));
    choices.grid_on = true;
    EXPECT_EQ(sheet_dialog_enabling(choices), (SheetDialogEnabling{true, true, false, false}));
    choices.numbers_on = true;
    EXPECT_EQ(sheet_dialog_enabling(choices), (SheetDialogEnabling{true, true, true, false}));
    choices.color_mode = 1;
    EXPECT_EQ(sheet_dialog_enabling(choices), (SheetDialogEnabling{true, true, true, true}));
    choices.color_mode = 2;
    EXPECT_FALSE(sheet_dialog_enabling(choices).colour_swatches);
}

TEST(SheetDialogRules, ValuesOutOfRangeShowAsTheNearestChoice) {
    SheetSettings settings;
    settings.per_row = 40;
    settings.color_mode = 7;
    settings.picture_content = -1;
    settings.grid_style = 3;
    settings.numeral_kind = 5;
    settings.number_style = -9;
    settings.number_align = 100;
    const SheetDialogChoices shown = sheet_dialog_choices(settings);
    EXPECT_EQ(shown.per_row, 15);
    EXPECT_EQ(shown.color_mode, 2);
    EXPECT_EQ(shown.picture_content, 0);
    EXPECT_EQ(shown.grid_style, 2);
    EXPECT_EQ(shown.numeral_kind, 1);
    EXPECT_EQ(shown.number_style, 0);
    EXPECT_EQ(shown.number_align, 2);
    settings.per_row = 0;
    EXPECT_EQ(sheet_dialog_choices(settings).per_row, 1);
}

TEST(SheetDialogRules, ChoicesChangeOnlyTheirSlotsAndKeepBytesNotOurs) {
    SheetSlots stored = sheet_slots(SheetSettings{});
    stored[7] |= 0x0100;  // a byte the program does not read beside the underlay flag
    SheetDialogChoices choices = sheet_dialog_choices(sheet_settings_from_slots(stored));
    choices.per_row = 5;
    choices.numeral_kind = 1;
    const SheetSlots changed = slots_with_choices(stored, choices);
    EXPECT_EQ(changed[0], 5);
    EXPECT_EQ(changed[11], 1);
    EXPECT_EQ(changed[7], stored[7]);
    for (int slot : {1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 13, 20, 24, 25, 26}) {
        EXPECT_EQ(changed[slot], stored[slot]) << slot;
    }
}

TEST(SheetDialogRules, FontNamesAreCutWithoutSplittingACharacter) {
    const QString twenty = QStringLiteral("細明體標楷體新細明體微軟正黑體華康儷中黑");
    ASSERT_EQ(to_code_page(twenty, big5_code_page).size(), 40);
    // 41 bytes: the last, single byte goes.
    EXPECT_EQ(record_font_name(twenty + QStringLiteral("A")), to_code_page(twenty, 950));
    // 41 bytes again, but the 40th byte starts a character: it goes whole.
    const QByteArray cut = record_font_name(QStringLiteral("A") + twenty);
    EXPECT_EQ(cut.size(), 39);
    EXPECT_EQ(from_code_page(cut, 950), QStringLiteral("A") + twenty.left(19));
    EXPECT_EQ(record_font_name(QStringLiteral("Noto Sans")), QByteArray("Noto Sans"));
}

TEST(SheetDialogRules, TheFontChoiceGoesIntoTheRecord) {
    const SheetSettings settings =
        with_font(SheetSettings{}, FontChoice{QStringLiteral("標楷體"), 22, 1 | 4});
    EXPECT_EQ(settings.font_name, to_code_page(QStringLiteral("標楷體"), 950));
    EXPECT_EQ(settings.font_size, 22);
    EXPECT_EQ(settings.font_style, 5);
    EXPECT_EQ(font_of(settings), (FontChoice{QStringLiteral("標楷體"), 22, 5}));
}

TEST(SheetDialogRules, AColourSwatchIsARectangleOnWhite) {
    const QImage swatch = colour_swatch(QSize(40, 20), 0x0000FF);  // red
    EXPECT_EQ(swatch.size(), QSize(40, 20));
    EXPECT_EQ(swatch.format(), QImage::Format_RGB888);
    EXPECT_EQ(swatch.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(swatch.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(swatch.pixelColor(37, 17), QColor(Qt::red));
    EXPECT_EQ(swatch.pixelColor(38, 18), QColor(Qt::white));
    EXPECT_EQ(swatch.pixelColor(39, 19), QColor(Qt::white));
}

TEST(SheetDialogRules, TheGridSwatchDrawsTheLineInItsStyle) {
    const QSize size(40, 20);
    const QColor blue(0, 0, 255);
    auto coloured = [&](const QImage& swatch) {
        int count = 0;
        for (int x = 0; x < size.width(); ++x) {
            count += swatch.pixelColor(x, 10) == blue ? 1 : 0;
        }
        return count;
    };
    const QImage solid = grid_line_swatch(size, 0xFF0000, 0);
    const QImage dashed = grid_line_swatch(size, 0xFF0000, 1);
    const QImage dotted = grid_line_swatch(size, 0xFF0000, 2);
    EXPECT_EQ(solid.format(), QImage::Format_RGB888);
    EXPECT_EQ(coloured(solid), 40);
    EXPECT_LT(coloured(dashed), 40);
    EXPECT_GT(coloured(dashed), coloured(dotted));
    EXPECT_GT(coloured(dotted), 0);
    // Only the middle row is drawn.
    for (int y : {9, 11}) {
        EXPECT_EQ(solid.pixelColor(5, y), QColor(Qt::white));
    }
}

TEST(SheetDialogRules, FoldersAreTrimmedAndEndInASlash) {
    EXPECT_EQ(folder_to_store(QStringLiteral("  /home/用戶/筆順 ")),
              QStringLiteral("/home/用戶/筆順/"));
    EXPECT_EQ(folder_to_store(QStringLiteral("/home/筆順/")), QStringLiteral("/home/筆順/"));
    EXPECT_EQ(folder_to_store(QStringLiteral("   ")), QString());
}

// ---- The dialog, driven through the main window

class SheetSettingsDialogTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        output = folder.path() + QStringLiteral("輸出資料夾");
        QDir().mkpath(output);
        open_dialog();
    }

    void open_dialog() { window->item(QStringLiteral("N26"))->trigger(); }

    TForm8& dialog() const { return window->sheet_dialog(); }
    template <typename Control>
    Control* control(const char* name) const {
        auto* found = dialog().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAbstractButton* button(const char* name) const { return control<QAbstractButton>(name); }
    QCheckBox* check_box(const char* name) const { return control<QCheckBox>(name); }
    QGroupBox* group(const char* name) const { return control<QGroupBox>(name); }
    void choose(const char* group_name, int item) const {
        group(group_name)->findChildren<QRadioButton*>().at(item)->click();
    }
    QColor swatch_colour(const char* name) const { return dialog().swatch(name).pixelColor(5, 5); }

    SheetSettings stored() const {
        return parse_sheet_settings(read_file(file("config.dat")), QStringLiteral("config.dat"));
    }

    QString output;
};

TEST_F(SheetSettingsDialogTest, TheMenuItemOpensTheDialogInTheActiveLanguage) {
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().parent(), window.get());
    EXPECT_EQ(dialog().windowTitle(), window->shell().text(text_key::sheet_dialog_caption));
    EXPECT_EQ(button("Button1")->text(), window->shell().text(text_key::sheet_ok_button));
    button("Button2")->click();

    window->item(QStringLiteral("N33"))->trigger();
    open_dialog();
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Output Settings"));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("Output folder"));
    EXPECT_EQ(group("RadioGroup3")->title(), QStringLiteral("Grid line style"));
    EXPECT_EQ(group("RadioGroup6")->title(), QString());
    EXPECT_EQ(group("RadioGroup1")->findChildren<QRadioButton*>().at(2)->text(),
              QStringLiteral("Default (black)"));
    EXPECT_EQ(control<QLabel>("Label7")->text(), QStringLiteral("Highlight colour"));
}

TEST_F(SheetSettingsDialogTest, AKeyTheTableLacksLeavesItsControlWithoutText) {
    LanguageTable partial;
    dialog().apply_captions(partial);
    EXPECT_EQ(dialog().windowTitle(), QString());
    EXPECT_EQ(button("Button3")->text(), QString());
    EXPECT_EQ(check_box("CheckBox2")->text(), QString());
}

TEST_F(SheetSettingsDialogTest, EveryControlIsThereByItsName) {
    for (const char* name :
         {"Label1",       "Label2",       "Label3",       "Label4",       "Label5",
          "Label7",       "Edit2",        "Button1",      "Button2",      "Button3",
          "Button4",      "CheckBox1",    "CheckBox2",    "CheckBox3",    "UpDown1",
          "SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "RadioGroup1",
          "RadioGroup2",  "RadioGroup3",  "RadioGroup4",  "RadioGroup5",  "RadioGroup6"}) {
        EXPECT_NE(dialog().findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    const int items[] = {3, 3, 3, 2, 2, 3};
    const char* groups[] = {"RadioGroup1", "RadioGroup2", "RadioGroup3",
                            "RadioGroup4", "RadioGroup5", "RadioGroup6"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(group(groups[i])->findChildren<QRadioButton*>().size(), items[i]) << groups[i];
    }
}

TEST_F(SheetSettingsDialogTest, TheControlsShowTheStoredRecord) {
    const SheetSettings settings = window->shell().sheet_settings();
    EXPECT_EQ(control<QSpinBox>("UpDown1")->value(), settings.per_row);
    EXPECT_EQ(control<QLabel>("Label5")->text(), QString::number(settings.per_row));
    EXPECT_EQ(dialog().choices(), sheet_dialog_choices(settings));
    EXPECT_EQ(dialog().font(), font_of(settings));
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), window->shell().output_folder());

    // A value out of range shows as the nearest choice.
    SheetSettings odd = settings;
    odd.per_row = 99;
    odd.color_mode = 9;
    odd.grid_style = -2;
    dialog().init_dialog_value(sheet_slots(odd), output);
    EXPECT_EQ(control<QSpinBox>("UpDown1")->value(), 15);
    EXPECT_EQ(control<QLabel>("Label5")->text(), QStringLiteral("15"));
    EXPECT_TRUE(group("RadioGroup1")->findChildren<QRadioButton*>().at(2)->isChecked());
    EXPECT_TRUE(group("RadioGroup3")->findChildren<QRadioButton*>().at(0)->isChecked());
    EXPECT_FALSE(button("SpeedButton3")->isEnabled());
}

TEST_F(SheetSettingsDialogTest, EachSwitchEnablesItsOwnControls) {
    const struct {
        const char* check_box;
        std::vector<const char*> controls;
    } switches[] = {{"CheckBox1", {"SpeedButton1"}},
                    {"CheckBox2", {"RadioGroup3"}},
                    {"CheckBox3", {"RadioGroup4", "RadioGroup5", "RadioGroup6"}}};
    choose("RadioGroup3", 1);
    for (const auto& change : switches) {
        for (bool on : {false, true}) {
            if (check_box(change.check_box)->isChecked() != on) {
                check_box(change.check_box)->click();
            }
            for (const char* name : change.controls) {
                EXPECT_EQ(control<QWidget>(name)->isEnabled(), on) << name;
            }
        }
    }
    // The line style keeps its choice while the grid is off.
    EXPECT_EQ(dialog().choices().grid_style, 1);
    for (int mode : {0, 2, 1}) {
        choose("RadioGroup1", mode);
        for (const char* name : {"SpeedButton3", "SpeedButton4", "Label1", "Label7"}) {
            EXPECT_EQ(control<QWidget>(name)->isEnabled(), mode == 1) << name << " " << mode;
        }
    }
}

TEST_F(SheetSettingsDialogTest, PicturesPerRowStayWithinOneToFifteen) {
    auto* updown = control<QSpinBox>("UpDown1");
    updown->setValue(15);
    updown->stepUp();
    EXPECT_EQ(updown->value(), 15);
    EXPECT_EQ(control<QLabel>("Label5")->text(), QStringLiteral("15"));
    updown->setValue(0);
    EXPECT_EQ(updown->value(), 1);
    updown->stepDown();
    EXPECT_EQ(updown->value(), 1);
    EXPECT_EQ(control<QLabel>("Label5")->text(), QStringLiteral("1"));
}

TEST_F(SheetSettingsDialogTest, ChosenColoursGoIntoTheirSwatches) {
    dialogs.colours = {0x0000FF, 0x00FF00, std::nullopt, 0xFF0000};
    button("SpeedButton1")->click();
    EXPECT_EQ(swatch_colour("SpeedButton1"), QColor(255, 0, 0));
    button("SpeedButton3")->click();
    EXPECT_EQ(swatch_colour("SpeedButton3"), QColor(0, 255, 0));
    // A cancelled chooser changes nothing.
    button("SpeedButton4")->click();
    const SheetSettings before = window->shell().sheet_settings();
    SheetSlots held{};
    dialog().get_stroke_out(held);
    EXPECT_EQ(sheet_settings_from_slots(held).second_color, before.second_color);
    // The grid swatch draws its line across the middle.
    button("SpeedButton2")->click();
    const QImage grid = dialog().swatch(QStringLiteral("SpeedButton2"));
    EXPECT_EQ(grid.size(), button("SpeedButton2")->size());
    EXPECT_EQ(grid.pixelColor(0, grid.height() / 2), QColor(0, 0, 255));
    EXPECT_EQ(grid.pixelColor(0, 1), QColor(Qt::white));
    EXPECT_EQ(dialogs.colour_choosers, 4);

    dialog().get_stroke_out(held);
    const SheetSettings held_settings = sheet_settings_from_slots(held);
    EXPECT_EQ(held_settings.underlay_color, 0x0000FF);
    EXPECT_EQ(held_settings.main_color, 0x00FF00);
    EXPECT_EQ(held_settings.grid_color, 0xFF0000);
}

TEST_F(SheetSettingsDialogTest, TheLineStyleRedrawsTheGridSwatch) {
    choose("RadioGroup3", 0);
    const QImage solid = dialog().swatch(QStringLiteral("SpeedButton2"));
    choose("RadioGroup3", 2);
    const QImage dotted = dialog().swatch(QStringLiteral("SpeedButton2"));
    EXPECT_NE(solid, dotted);
    const SheetSettings settings = window->shell().sheet_settings();
    EXPECT_EQ(dotted, grid_line_swatch(dotted.size(), settings.grid_color, 2));
}

TEST_F(SheetSettingsDialogTest, CancelKeepsTheRecordAndReopeningShowsTheStoredColours) {
    const QByteArray record = read_file(file("config.dat"));
    const SheetSlots before = window->shell().sheet_slots();
    const SheetSettings settings = window->shell().sheet_settings();
    dialogs.colours = {0x123456, 0x654321};
    button("SpeedButton3")->click();
    button("SpeedButton4")->click();
    EXPECT_EQ(swatch_colour("SpeedButton3"), QColor(0x56, 0x34, 0x12));
    button("Button2")->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(window->shell().sheet_slots(), before);
    EXPECT_EQ(read_file(file("config.dat")), record);

    open_dialog();
    EXPECT_EQ(dialog().swatch(QStringLiteral("SpeedButton3")),
              colour_swatch(button("SpeedButton3")->size(), settings.main_color));
    EXPECT_EQ(dialog().swatch(QStringLiteral("SpeedButton4")),
              colour_swatch(button("SpeedButton4")->size(), settings.second_color));
}

TEST_F(SheetSettingsDialogTest, TheFolderBrowserFillsTheFolderField) {
    dialogs.folders = {output, std::nullopt};
    button("Button3")->click();
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), output);
    button("Button3")->click();
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), output);
}

TEST_F(SheetSettingsDialogTest, AFolderWithoutAFinalSlashIsStoredWithOne) {
    control<QLineEdit>("Edit2")->setText(QStringLiteral("  ") + output + QStringLiteral(" "));
    const QString working = QDir::currentPath();
    button("Button1")->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(read_file(file("sys.cfg")), QFile::encodeName(output + QStringLiteral("/\r\n")));
    EXPECT_EQ(window->shell().output_folder(), output + QStringLiteral("/"));
    EXPECT_EQ(QDir::currentPath(), working);
}

TEST_F(SheetSettingsDialogTest, ABlankFolderLeavesSysCfgAndEmptiesTheOutputFolder) {
    write_file(file("sys.cfg"), QFile::encodeName(output) + "\r\n");
    control<QLineEdit>("Edit2")->setText(QStringLiteral("    "));
    control<QSpinBox>("UpDown1")->setValue(3);
    button("Button1")->click();
    EXPECT_EQ(read_file(file("sys.cfg")), QFile::encodeName(output) + "\r\n");
    EXPECT_EQ(window->shell().output_folder(), QString());
    EXPECT_EQ(stored().per_row, 3);
}

// A font name longer than the record's forty bytes is cut.
TEST_F(SheetSettingsDialogTest, OkStoresTheChosenValuesInConfigDat) {
    const QString twenty = QStringLiteral("細明體標楷體新細明體微軟正黑體華康儷中黑");
    dialogs.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
    button("SpeedButton1")->click();
    button("SpeedButton2")->click();
    button("SpeedButton3")->click();
    button("SpeedButton4")->click();
    dialogs.fonts = {FontChoice{twenty + QStringLiteral("X"), 20, 2 | 8}};
    button("Button4")->click();
    control<QSpinBox>("UpDown1")->setValue(6);
    choose("RadioGroup4", 1);
    choose("RadioGroup5", 1);
    choose("RadioGroup6", 0);
    choose("RadioGroup2", 1);
    choose("RadioGroup3", 1);
    check_box("CheckBox1")->setChecked(false);
    check_box("CheckBox3")->setChecked(false);
    choose("RadioGroup1", 0);
    control<QLineEdit>("Edit2")->setText(output);
    button("Button1")->click();

    const SheetSettings settings = stored();
    EXPECT_EQ(settings.per_row, 6);
    EXPECT_EQ(settings.color_mode, 0);
    EXPECT_EQ(settings.underlay_color, 0x0000FF);
    EXPECT_EQ(settings.grid_color, 0x00FF00);
    EXPECT_EQ(settings.main_color, 0xFF0000);
    EXPECT_EQ(settings.second_color, 0x808080);
    EXPECT_FALSE(settings.underlay_on);
    EXPECT_TRUE(settings.grid_on);
    EXPECT_FALSE(settings.numbers_on);
    EXPECT_EQ(settings.grid_style, 1);
    EXPECT_EQ(settings.picture_content, 1);
    EXPECT_EQ(settings.numeral_kind, 1);
    EXPECT_EQ(settings.number_style, 1);
    EXPECT_EQ(settings.number_align, 0);
    EXPECT_EQ(settings.font_name, to_code_page(twenty, 950));
    EXPECT_EQ(settings.font_size, 20);
    EXPECT_EQ(settings.font_style, 10);
    EXPECT_EQ(window->shell().sheet_settings(), settings);
    SheetSlots held{};
    dialog().get_stroke_out(held);
    EXPECT_EQ(held, window->shell().sheet_slots());
    open_dialog();
    EXPECT_EQ(dialog().font(), (FontChoice{twenty, 20, 10}));
}

// ---- The colour chooser's starting colour, with a dialog of its own

class StartingColours : public testing::ScriptedDialogs {
public:
    QList<std::int32_t> initial;
    std::optional<std::int32_t> choose_colour(std::int32_t start) override {
        initial << start;
        return ScriptedDialogs::choose_colour(start);
    }
};

TEST(SheetSettingsDialog, TheColourChooserOpensAtItsLastAnswer) {
    StartingColours dialogs;
    int stored = 0;
    TForm8 dialog(dialogs, QString(), [&](const QString&, const SheetSlots&) { ++stored; });
    dialogs.colours = {0x112233, std::nullopt, 0x445566};
    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton4", "SpeedButton3"}) {
        dialog.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }
    EXPECT_EQ(dialogs.initial, (QList<std::int32_t>{0, 0x112233, 0x112233, 0x445566}));
    EXPECT_EQ(stored, 0);
}

TEST_F(SheetSettingsDialogTest, TheStepWindowIsAWindowOfItsOwn) {
    EXPECT_TRUE(window->step_window().isWindow());
    EXPECT_NE(window->step_window().parentWidget(), window.get());
    EXPECT_EQ(window->step_window().objectName(), QStringLiteral("TForm9"));
}

}  // namespace
}  // namespace inkwren
