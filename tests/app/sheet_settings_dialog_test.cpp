#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "app/sheet_settings_dialog.h"
#include "platform/code_page.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

const QString twenty_characters = QStringLiteral("細明體標楷體新細明體微軟正黑體華康儷中黑");

// Out of range above or below; the grid style, number style and alignment come back as the
// defaults. Settings change only their slots and keep the bytes the program does not read.
TEST(SheetDialogRules, ValuesOutOfRangeShowAsTheNearestChoiceAndBytesNotOursAreKept) {
    SheetSettings odd{.per_row = 40, .color_mode = ColourMode(7), .grid_style = GridStyle(3)};
    odd.picture_content = PictureContent(-1);
    odd.numeral_kind = NumeralKind(5);
    odd.number_style = NumberStyle(-9);
    odd.number_align = NumberAlign(100);
    EXPECT_EQ(shown_settings(odd), (SheetSettings{.per_row = 15,
                                                  .color_mode = ColourMode::black,
                                                  .picture_content = PictureContent::underlay_only,
                                                  .numeral_kind = NumeralKind::arabic}));
    odd.per_row = 0;
    EXPECT_EQ(shown_settings(odd).per_row, 1);

    SheetSlots stored = sheet_slots(SheetSettings{});
    stored[7] |= 0x0100;  // a byte the program does not read beside the underlay flag
    SheetSettings settings = sheet_settings_from_slots(stored);
    settings.per_row = 5;
    settings.numeral_kind = NumeralKind::arabic;
    SheetSlots expected = stored;
    expected[0] = 5;
    expected[11] = 1;
    EXPECT_EQ(slots_with_settings(stored, settings), expected);

    // Font names are cut without splitting a character; folders end in one slash.
    ASSERT_EQ(to_code_page(twenty_characters, big5_code_page).size(), 40);
    // 41 bytes: the last, single byte goes.
    EXPECT_EQ(record_font_name(twenty_characters + QStringLiteral("A")),
              to_code_page(twenty_characters, 950));
    // 41 bytes again, but the 40th byte starts a character: it goes whole.
    const QByteArray cut = record_font_name(QStringLiteral("A") + twenty_characters);
    EXPECT_EQ(from_code_page(cut, 950), QStringLiteral("A") + twenty_characters.left(19));
    EXPECT_EQ(folder_to_store(QStringLiteral(" /home/筆順/ ")), QStringLiteral("/home/筆順/"));
}

class SheetSettingsDialogTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        output = folder.path() + QStringLiteral("輸出資料夾");
        QDir().mkpath(output);
        open_dialog();
    }

    void open_dialog() { item("N26")->trigger(); }

    TForm8& dialog() const { return window->sheet_dialog(); }
    template <typename Control = QWidget>
    Control* control(const char* name) const {
        auto* found = dialog().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) const { control<QAbstractButton>(name)->click(); }
    QString text(const char* name) const { return control<QLabel>(name)->text(); }
    void set_folder(const QString& text) const { control<QLineEdit>("Edit2")->setText(text); }

    SheetSettings stored() const {
        return parse_sheet_settings(read_file(file("config.dat")), QStringLiteral("config.dat"));
    }

    QString output;
};

TEST_F(SheetSettingsDialogTest, TheBrowsedFolderIsStoredTrimmedWithAFinalSlash) {
    dialogs.folders = {QStringLiteral("  ") + output + QStringLiteral(" "), std::nullopt};
    click("Button3");
    click("Button3");  // cancelled: the field keeps its folder
    const QString working = QDir::currentPath();
    click("Button1");
    EXPECT_EQ(read_file(file("sys.cfg")), QFile::encodeName(output + QStringLiteral("/\r\n")));
    EXPECT_EQ(window->shell().output_folder(), output + QStringLiteral("/"));
    EXPECT_EQ(QDir::currentPath(), working);

    // A blank folder leaves sys.cfg and empties the output folder.
    open_dialog();
    set_folder(QStringLiteral("    "));
    control<QSpinBox>("UpDown1")->setValue(3);
    for (const QLabel* label : dialog().findChildren<QLabel*>()) {  // the spin box alone shows it
        EXPECT_NE(label->text(), QStringLiteral("3"));
    }
    click("Button1");
    EXPECT_EQ(read_file(file("sys.cfg")), QFile::encodeName(output + QStringLiteral("/\r\n")));
    EXPECT_EQ(window->shell().output_folder(), QString());
    EXPECT_EQ(stored().per_row, 3);
}

// Every control and chooser in the record; a font name longer than its forty bytes is cut. The
// grid's slot, unchanged, keeps the bytes beside its flag.
TEST_F(SheetSettingsDialogTest, OkStoresTheChosenValuesInConfigDat) {
    SheetSlots record_slots = window->shell().sheet_slots();
    record_slots[4] = 0x12345601;
    dialog().init_dialog_value(record_slots, output);
    dialogs.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
    dialogs.fonts = {FontChoice{twenty_characters + QStringLiteral("X"), 20, 2 | 8}};
    for (const char* name :
         {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "Button4",
          "RadioGroup4Item1", "RadioGroup5Item1", "RadioGroup6Item0", "RadioGroup2Item1",
          "RadioGroup3Item1", "CheckBox1", "CheckBox3", "RadioGroup1Item0"}) {
        click(name);
    }
    control<QSpinBox>("UpDown1")->setValue(6);
    click("Button1");

    const SheetSettings expected{.per_row = 6,
                                 .color_mode = ColourMode::own_colours,
                                 .main_color = 0xFF0000,
                                 .underlay_color = 0x0000FF,
                                 .grid_style = GridStyle::dashed,
                                 .grid_color = 0x00FF00,
                                 .underlay_on = false,
                                 .picture_content = PictureContent::one_stroke,
                                 .second_color = 0x808080,
                                 .numbers_on = false,
                                 .numeral_kind = NumeralKind::arabic,
                                 .number_style = NumberStyle::number_alone,
                                 .font_name = to_code_page(twenty_characters, 950),
                                 .font_size = 20,
                                 .font_style = 10,
                                 .number_align = NumberAlign::left};
    EXPECT_EQ(stored(), expected);
    // The slots are stored whole, and the pad takes the highlight colour.
    EXPECT_EQ(read_file(file("config.dat")), format_sheet_slots(window->shell().sheet_slots()));
    EXPECT_EQ(window->shell().sheet_slots()[4], 0x12345601);
    EXPECT_EQ(window->pad().settings().stroke_color, 0x808080);
    open_dialog();
    EXPECT_EQ(dialog().font(), (FontChoice{twenty_characters, 20, 10}));
}

}  // namespace
}  // namespace inkwren
