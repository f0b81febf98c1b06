#include "app/sheet_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr QSize swatch_size(40, 20);

const char* const swatch_names[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};

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

}  // namespace

TForm8::TForm8(Dialogs& dialogs, QString installation_folder, UpdateCfg updatecfg, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      installation_folder_(std::move(installation_folder)),
      updatecfg_(std::move(updatecfg)) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QString::fromUtf8(text_key::sheet_dialog_caption));
    build();
    resize(478, 430);
    init_dialog_value(sheet_slots(SheetSettings{}), QString());
}

QGroupBox* TForm8::radio_group(const char* name, int items, QButtonGroup*& buttons) {
    auto* group = new QGroupBox(this);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    // Tight enough for the dialog's size, loose enough for any language's captions.
    layout->setSpacing(2);
    layout->setContentsMargins(8, 4, 8, 4);
    buttons = new QButtonGroup(group);
    for (int i = 0; i < items; ++i) {
        auto* button = new QRadioButton(group);
        button->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item") +
                              QString::number(i));
        layout->addWidget(button);
        buttons->addButton(button, i);
    }
    return group;
}

QToolButton* TForm8::swatch_button(const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(swatch_size);
    button->setIconSize(swatch_size);
    button->setAutoRaise(true);
    return button;
}

void TForm8::build() {
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    button3_ = new QPushButton(this);
    button3_->setObjectName(QStringLiteral("Button3"));
    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    QFont heading = label3_->font();
    heading.setBold(true);
    label3_->setFont(heading);

    label4_ = new QLabel(this);
    label4_->setObjectName(QStringLiteral("Label4"));
    updown1_ = new QSpinBox(this);
    updown1_->setObjectName(QStringLiteral("UpDown1"));
    updown1_->setRange(pictures_per_row.low, pictures_per_row.high);
    updown1_->setWrapping(false);
    label5_ = new QLabel(this);
    label5_->setObjectName(QStringLiteral("Label5"));
    checkbox3_ = new QCheckBox(this);
    checkbox3_->setObjectName(QStringLiteral("CheckBox3"));
    button4_ = new QPushButton(this);
    button4_->setObjectName(QStringLiteral("Button4"));
    checkbox1_ = new QCheckBox(this);
    checkbox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkbox2_ = new QCheckBox(this);
    checkbox2_->setObjectName(QStringLiteral("CheckBox2"));
    for (int i = 0; i < swatch_count; ++i) {
        swatch_buttons_[i] = swatch_button(swatch_names[i]);
    }

    radio_group4_ = radio_group("RadioGroup4", 2, numeral_kind_);
    radio_group5_ = radio_group("RadioGroup5", 2, number_style_);
    radio_group6_ = radio_group("RadioGroup6", 3, number_align_);
    radio_group2_ = radio_group("RadioGroup2", 3, picture_content_);
    radio_group3_ = radio_group("RadioGroup3", 3, grid_style_);
    radio_group1_ = radio_group("RadioGroup1", 3, color_mode_);
    label1_ = new QLabel(radio_group1_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label7_ = new QLabel(radio_group1_);
    label7_->setObjectName(QStringLiteral("Label7"));
    auto* colours = new QGridLayout;
    colours->addWidget(label1_, 0, 0);
    colours->addWidget(swatch_buttons_[main_swatch], 0, 1);
    colours->addWidget(label7_, 1, 0);
    colours->addWidget(swatch_buttons_[second_swatch], 1, 1);
    colours->setColumnStretch(2, 1);
    static_cast<QVBoxLayout*>(radio_group1_->layout())->addLayout(colours);

    button1_ = new QPushButton(this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setDefault(true);
    button2_ = new QPushButton(this);
    button2_->setObjectName(QStringLiteral("Button2"));

    // Folder row on top, two columns of settings, the buttons bottom right.
    auto* folder_row = new QHBoxLayout;
    folder_row->addWidget(edit2_, 1);
    folder_row->addWidget(button3_);

    auto* per_row = new QHBoxLayout;
    per_row->addWidget(label4_);
    per_row->addWidget(updown1_);
    per_row->addWidget(label5_);
    per_row->addStretch(1);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(checkbox3_);
    numbers->addWidget(button4_);
    numbers->addStretch(1);
    auto* number_groups = new QHBoxLayout;
    number_groups->addWidget(radio_group4_);
    number_groups->addWidget(radio_group6_);
    auto* left = new QVBoxLayout;
    left->addLayout(per_row);
    left->addLayout(numbers);
    left->addLayout(number_groups);
    left->addWidget(radio_group5_);
    left->addWidget(radio_group2_);
    left->addStretch(1);

    auto* underlay = new QHBoxLayout;
    underlay->addWidget(checkbox1_);
    underlay->addWidget(swatch_buttons_[underlay_swatch]);
    underlay->addStretch(1);
    auto* grid = new QHBoxLayout;
    grid->addWidget(checkbox2_);
    grid->addWidget(swatch_buttons_[grid_swatch]);
    grid->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(underlay);
    right->addLayout(grid);
    right->addWidget(radio_group3_);
    right->addWidget(radio_group1_);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button1_);
    buttons->addWidget(button2_);

    auto* outer = new QVBoxLayout(this);
    outer->setSpacing(4);
    left->setSpacing(4);
    right->setSpacing(4);
    outer->addWidget(label2_);
    outer->addLayout(folder_row);
    outer->addWidget(label3_);
    outer->addLayout(columns, 1);
    outer->addLayout(buttons);

    connect(updown1_, &QSpinBox::valueChanged, this,
            [this](int value) { label5_->setText(QString::number(value)); });
    for (QCheckBox* box : {checkbox1_, checkbox2_, checkbox3_}) {
        connect(box, &QCheckBox::toggled, this, &TForm8::apply_enabling);
    }
    connect(color_mode_, &QButtonGroup::idToggled, this, &TForm8::apply_enabling);
    connect(grid_style_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            draw_swatch(grid_swatch);
        }
    });
    connect(button1_, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(button3_, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(button4_, &QPushButton::clicked, this, &TForm8::Button4Click);
    connect(swatch_buttons_[underlay_swatch], &QToolButton::clicked, this,
            &TForm8::SpeedButton1Click);
    connect(swatch_buttons_[grid_swatch], &QToolButton::clicked, this, &TForm8::SpeedButton2Click);
    connect(swatch_buttons_[main_swatch], &QToolButton::clicked, this, &TForm8::SpeedButton3Click);
    connect(swatch_buttons_[second_swatch], &QToolButton::clicked, this,
            &TForm8::SpeedButton4Click);
}

void TForm8::set_text(QWidget* control, const LanguageTable& language, const char* key) {
    const QString text = language.lookup_text(QString::fromLatin1(key));
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

void TForm8::apply_captions(const LanguageTable& language) {
    namespace k = text_key;
    setWindowTitle(language.lookup_text(QString::fromLatin1(k::sheet_dialog_caption)));
    const std::pair<QWidget*, const char*> captions[] = {
        {label2_, k::sheet_output_folder_label},
        {button3_, k::sheet_browse_button},
        {label3_, k::sheet_pictures_heading},
        {label4_, k::sheet_per_row_label},
        {checkbox3_, k::sheet_numbers_check},
        {button4_, k::sheet_font_button},
        {checkbox1_, k::sheet_underlay_check},
        {checkbox2_, k::sheet_grid_check},
        {radio_group4_, k::sheet_numeral_kind_group},
        {item(numeral_kind_, NumeralKind::chinese), k::sheet_chinese_numerals_option},
        {item(numeral_kind_, NumeralKind::arabic), k::sheet_arabic_numerals_option},
        {radio_group5_, k::sheet_number_style_group},
        {item(number_style_, NumberStyle::labelled), k::sheet_labelled_number_option},
        {item(number_style_, NumberStyle::number_alone), k::sheet_number_only_option},
        {item(number_align_, NumberAlign::left), k::sheet_align_left_option},
        {item(number_align_, NumberAlign::centre), k::sheet_align_centre_option},
        {item(number_align_, NumberAlign::right), k::sheet_align_right_option},
        {radio_group2_, k::sheet_picture_content_group},
        {item(picture_content_, PictureContent::underlay_only), k::sheet_underlay_only_option},
        {item(picture_content_, PictureContent::one_stroke), k::sheet_one_stroke_option},
        {item(picture_content_, PictureContent::strokes_so_far), k::sheet_strokes_so_far_option},
        {radio_group3_, k::sheet_grid_style_group},
        {item(grid_style_, GridStyle::solid), k::sheet_solid_line_option},
        {item(grid_style_, GridStyle::dashed), k::sheet_dashed_line_option},
        {item(grid_style_, GridStyle::dotted), k::sheet_dotted_line_option},
        {radio_group1_, k::sheet_colour_mode_group},
        {item(color_mode_, ColourMode::own_colours), k::sheet_own_colours_option},
        {item(color_mode_, ColourMode::two_colours), k::sheet_two_colours_option},
        {item(color_mode_, ColourMode::black), k::sheet_black_option},
        {label1_, k::sheet_main_colour_label},
        {label7_, k::sheet_second_colour_label},
        {button1_, k::sheet_ok_button},
        {button2_, k::sheet_cancel_button},
    };
    for (const auto& [control, key] : captions) {
        set_text(control, language, key);
    }
}

void TForm8::init_dialog_value(const SheetSlots& record_slots, const QString& folder) {
    slots_ = record_slots;
    edit2_->setText(folder);
    const SheetSettings shown = shown_settings(sheet_settings_from_slots(slots_));
    updown1_->setValue(shown.per_row);
    label5_->setText(QString::number(shown.per_row));
    checkbox1_->setChecked(shown.underlay_on);
    checkbox2_->setChecked(shown.grid_on);
    checkbox3_->setChecked(shown.numbers_on);
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

SheetSettings TForm8::choices() const {
    SheetSettings chosen = sheet_settings_from_slots(slots_);
    chosen.per_row = updown1_->value();
    chosen.underlay_on = checkbox1_->isChecked();
    chosen.grid_on = checkbox2_->isChecked();
    chosen.numbers_on = checkbox3_->isChecked();
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
    radio_group3_->setEnabled(enabling.line_style);
    for (QGroupBox* group : {radio_group4_, radio_group5_, radio_group6_}) {
        group->setEnabled(enabling.number_groups);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             swatch_buttons_[main_swatch], swatch_buttons_[second_swatch], label1_, label7_}) {
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
    const std::optional<QString> folder = dialogs_.choose_folder(edit2_->text().trimmed());
    if (folder && !folder->isEmpty()) {
        edit2_->setText(*folder);
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
    const QString folder = folder_to_store(edit2_->text());
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
    output_folder_ = folder;
    if (updatecfg_) {
        updatecfg_(folder, slots_);
    }
    accept();
}

void TForm8::Button2Click() {
    reject();
}

}  // namespace inkwren
