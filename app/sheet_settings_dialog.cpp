#include "app/sheet_settings_dialog.h"

#include <QButtonGroup>
#include <QPixmap>
#include <QRadioButton>

#include <algorithm>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "ui_sheet_settings_dialog.h"

namespace inkwren {
namespace {

const char* const swatch_names[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};

// The group's radio buttons in a button group, each with the value of its choice as its id: the
// layout lists them in the order of the values.
QButtonGroup* choice_buttons(QGroupBox* group) {
    auto* buttons = new QButtonGroup(group);
    int id = 0;
    for (QRadioButton* button : group->findChildren<QRadioButton*>()) {
        buttons->addButton(button, id++);
    }
    return buttons;
}

template <typename Choice>
Choice checked(const QButtonGroup* group) {
    return Choice(std::max(group->checkedId(), 0));
}

template <typename Choice>
QAbstractButton* item(const QButtonGroup* group, Choice choice) {
    return group->button(int(choice));
}

template <typename Choice>
void check(const QButtonGroup* group, Choice choice) {
    if (QAbstractButton* button = item(group, choice)) {
        button->setChecked(true);
    }
}

void set_text(QWidget* control, const LanguageTable& language, const char* key) {
    const QString text = language.lookup_text(QString::fromLatin1(key));
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

}  // namespace

TForm8::TForm8(Dialogs& dialogs, QString installation_folder, UpdateCfg updatecfg, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TForm8>()),
      dialogs_(dialogs),
      installation_folder_(std::move(installation_folder)),
      updatecfg_(std::move(updatecfg)) {
    ui_->setupUi(this);
    setWindowTitle(QString::fromUtf8(text_key::sheet_dialog_caption));
    ui_->UpDown1->setRange(pictures_per_row.low, pictures_per_row.high);
    swatch_buttons_ = {ui_->SpeedButton1, ui_->SpeedButton2, ui_->SpeedButton3, ui_->SpeedButton4};
    numeral_kind_ = choice_buttons(ui_->RadioGroup4);
    number_style_ = choice_buttons(ui_->RadioGroup5);
    number_align_ = choice_buttons(ui_->RadioGroup6);
    picture_content_ = choice_buttons(ui_->RadioGroup2);
    grid_style_ = choice_buttons(ui_->RadioGroup3);
    color_mode_ = choice_buttons(ui_->RadioGroup1);
    connect_controls();
    init_dialog_value(sheet_slots(SheetSettings{}), QString());
}

TForm8::~TForm8() = default;

void TForm8::connect_controls() {
    for (QCheckBox* box : {ui_->CheckBox1, ui_->CheckBox2, ui_->CheckBox3}) {
        connect(box, &QCheckBox::toggled, this, &TForm8::apply_enabling);
    }
    connect(color_mode_, &QButtonGroup::idToggled, this, &TForm8::apply_enabling);
    connect(grid_style_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            draw_swatch(grid_swatch);
        }
    });
    connect(ui_->Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(ui_->Button4, &QPushButton::clicked, this, &TForm8::Button4Click);
    connect(ui_->SpeedButton1, &QToolButton::clicked, this, &TForm8::SpeedButton1Click);
    connect(ui_->SpeedButton2, &QToolButton::clicked, this, &TForm8::SpeedButton2Click);
    connect(ui_->SpeedButton3, &QToolButton::clicked, this, &TForm8::SpeedButton3Click);
    connect(ui_->SpeedButton4, &QToolButton::clicked, this, &TForm8::SpeedButton4Click);
}

void TForm8::apply_captions(const LanguageTable& language) {
    namespace k = text_key;
    setWindowTitle(language.lookup_text(QString::fromLatin1(k::sheet_dialog_caption)));
    const std::pair<QWidget*, const char*> captions[] = {
        {ui_->Label2, k::sheet_output_folder_label},
        {ui_->Button3, k::sheet_browse_button},
        {ui_->Label3, k::sheet_pictures_heading},
        {ui_->Label4, k::sheet_per_row_label},
        {ui_->CheckBox3, k::sheet_numbers_check},
        {ui_->Button4, k::sheet_font_button},
        {ui_->CheckBox1, k::sheet_underlay_check},
        {ui_->CheckBox2, k::sheet_grid_check},
        {ui_->RadioGroup4, k::sheet_numeral_kind_group},
        {item(numeral_kind_, NumeralKind::chinese), k::sheet_chinese_numerals_option},
        {item(numeral_kind_, NumeralKind::arabic), k::sheet_arabic_numerals_option},
        {ui_->RadioGroup5, k::sheet_number_style_group},
        {item(number_style_, NumberStyle::labelled), k::sheet_labelled_number_option},
        {item(number_style_, NumberStyle::number_alone), k::sheet_number_only_option},
        {item(number_align_, NumberAlign::left), k::sheet_align_left_option},
        {item(number_align_, NumberAlign::centre), k::sheet_align_centre_option},
        {item(number_align_, NumberAlign::right), k::sheet_align_right_option},
        {ui_->RadioGroup2, k::sheet_picture_content_group},
        {item(picture_content_, PictureContent::underlay_only), k::sheet_underlay_only_option},
        {item(picture_content_, PictureContent::one_stroke), k::sheet_one_stroke_option},
        {item(picture_content_, PictureContent::strokes_so_far), k::sheet_strokes_so_far_option},
        {ui_->RadioGroup3, k::sheet_grid_style_group},
        {item(grid_style_, GridStyle::solid), k::sheet_solid_line_option},
        {item(grid_style_, GridStyle::dashed), k::sheet_dashed_line_option},
        {item(grid_style_, GridStyle::dotted), k::sheet_dotted_line_option},
        {ui_->RadioGroup1, k::sheet_colour_mode_group},
        {item(color_mode_, ColourMode::own_colours), k::sheet_own_colours_option},
        {item(color_mode_, ColourMode::two_colours), k::sheet_two_colours_option},
        {item(color_mode_, ColourMode::black), k::sheet_black_option},
        {ui_->Label1, k::sheet_main_colour_label},
        {ui_->Label7, k::sheet_second_colour_label},
        {ui_->CheckBox4, k::sheet_info_line_check},
        {ui_->Button1, k::sheet_ok_button},
        {ui_->Button2, k::sheet_cancel_button},
    };
    for (const auto& [control, key] : captions) {
        set_text(control, language, key);
    }
}

void TForm8::init_dialog_value(const SheetSlots& record_slots, const QString& folder) {
    slots_ = record_slots;
    ui_->Edit2->setText(folder);
    const SheetSettings shown = shown_settings(sheet_settings_from_slots(slots_));
    ui_->UpDown1->setValue(shown.per_row);
    ui_->CheckBox1->setChecked(shown.underlay_on);
    ui_->CheckBox2->setChecked(shown.grid_on);
    ui_->CheckBox3->setChecked(shown.numbers_on);
    check(color_mode_, shown.color_mode);
    check(picture_content_, shown.picture_content);
    check(grid_style_, shown.grid_style);
    check(numeral_kind_, shown.numeral_kind);
    check(number_style_, shown.number_style);
    check(number_align_, shown.number_align);
    font_ = font_of(shown);
    apply_enabling();
    draw_swatches();
}

void TForm8::get_stroke_out(SheetSlots& record_slots) const {
    record_slots = slots_;
}

void TForm8::set_info_line(bool on) {
    ui_->CheckBox4->setChecked(on);
}

bool TForm8::info_line() const {
    return ui_->CheckBox4->isChecked();
}

SheetSettings TForm8::choices() const {
    SheetSettings chosen = sheet_settings_from_slots(slots_);
    chosen.per_row = ui_->UpDown1->value();
    chosen.underlay_on = ui_->CheckBox1->isChecked();
    chosen.grid_on = ui_->CheckBox2->isChecked();
    chosen.numbers_on = ui_->CheckBox3->isChecked();
    chosen.color_mode = checked<ColourMode>(color_mode_);
    chosen.picture_content = checked<PictureContent>(picture_content_);
    chosen.grid_style = checked<GridStyle>(grid_style_);
    chosen.numeral_kind = checked<NumeralKind>(numeral_kind_);
    chosen.number_style = checked<NumberStyle>(number_style_);
    chosen.number_align = checked<NumberAlign>(number_align_);
    return chosen;
}

QImage TForm8::swatch(const QString& button) const {
    for (int i = 0; i < swatch_count; ++i) {
        if (button == QLatin1String(swatch_names[i])) {
            return swatches_[i];
        }
    }
    return {};
}

void TForm8::apply_enabling() {
    const SheetDialogEnabling enabling = sheet_dialog_enabling(choices());
    swatch_buttons_[underlay_swatch]->setEnabled(enabling.underlay_swatch);
    ui_->RadioGroup3->setEnabled(enabling.line_style);
    for (QGroupBox* group : {ui_->RadioGroup4, ui_->RadioGroup5, ui_->RadioGroup6}) {
        group->setEnabled(enabling.number_groups);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{swatch_buttons_[main_swatch],
                                                            swatch_buttons_[second_swatch],
                                                            ui_->Label1, ui_->Label7}) {
        control->setEnabled(enabling.colour_swatches);
    }
}

void TForm8::draw_swatch(Swatch which) {
    const SheetSettings settings = sheet_settings_from_slots(slots_);
    const QSize size = swatch_buttons_[which]->size();
    switch (which) {
        case underlay_swatch:
            swatches_[which] = colour_swatch(size, settings.underlay_color);
            break;
        case grid_swatch:
            swatches_[which] =
                grid_line_swatch(size, settings.grid_color, checked<GridStyle>(grid_style_));
            break;
        case main_swatch:
            swatches_[which] = colour_swatch(size, settings.main_color);
            break;
        case second_swatch:
            swatches_[which] = colour_swatch(size, settings.second_color);
            break;
        case swatch_count:
            return;
    }
    swatch_buttons_[which]->setIcon(QIcon(QPixmap::fromImage(swatches_[which])));
}

void TForm8::draw_swatches() {
    for (int i = 0; i < swatch_count; ++i) {
        draw_swatch(Swatch(i));
    }
}

void TForm8::choose_colour(Swatch which) {
    const std::optional<std::int32_t> chosen = dialogs_.choose_colour(last_colour_);
    if (!chosen) {
        return;
    }
    last_colour_ = *chosen;
    SheetSettings settings = sheet_settings_from_slots(slots_);
    std::int32_t* targets[] = {&settings.underlay_color, &settings.grid_color, &settings.main_color,
                               &settings.second_color};
    *targets[which] = *chosen;
    slots_ = slots_with_settings(slots_, settings);
    draw_swatch(which);
}

void TForm8::SpeedButton1Click() {
    choose_colour(underlay_swatch);
}
void TForm8::SpeedButton2Click() {
    choose_colour(grid_swatch);
}
void TForm8::SpeedButton3Click() {
    choose_colour(main_swatch);
}
void TForm8::SpeedButton4Click() {
    choose_colour(second_swatch);
}

void TForm8::Button3Click() {
    const std::optional<QString> folder = dialogs_.choose_folder(ui_->Edit2->text().trimmed());
    if (folder && !folder->isEmpty()) {
        ui_->Edit2->setText(*folder);
    }
}

void TForm8::Button4Click() {
    const std::optional<FontChoice> chosen = dialogs_.choose_font(font_);
    if (!chosen) {
        return;
    }
    const SheetSettings settings = with_font(sheet_settings_from_slots(slots_), *chosen);
    slots_ = slots_with_settings(slots_, settings);
    font_ = font_of(settings);
}

void TForm8::Button1Click() {
    const QString folder = folder_to_store(ui_->Edit2->text());
    try {
        // A blank folder leaves the stored one as it is.
        if (!folder.isEmpty()) {
            store_output_folder(installation_folder_, folder);
        }
    } catch (const Error& error) {
        dialogs_.inform(windowTitle(), error.message());
        return;
    }
    slots_ = slots_with_settings(slots_, choices());
    if (updatecfg_) {
        updatecfg_(folder, slots_);
    }
    accept();
}

void TForm8::Button2Click() {
    reject();
}

}  // namespace inkwren
