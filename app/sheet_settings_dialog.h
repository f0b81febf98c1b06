// The sheet settings dialog: the output folder and how stroke-order sheets look. It edits a copy
// of the record's slots and hands them to its owner on OK; what it shows and stores is computed
// by the functions of sheet_dialog_rules.h, and its layout is sheet_settings_dialog.ui.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "app/sheet_dialog_rules.h"

class QButtonGroup;
class QToolButton;
class QWidget;

namespace Ui {
class TForm8;
}

namespace inkwren {

class Dialogs;
class LanguageTable;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    // Called on OK with the folder (trimmed, "/" at its end unless empty) and the slots.
    using UpdateCfg = std::function<void(const QString& folder, const SheetSlots& record_slots)>;

    TForm8(Dialogs& dialogs, QString installation_folder, UpdateCfg updatecfg,
           QWidget* parent = nullptr);
    ~TForm8() override;

    // The captions of the language table; a key it lacks leaves its control without text.
    void apply_captions(const LanguageTable& language);
    // Loads the record and the folder into the controls; runs every time the dialog is shown.
    void init_dialog_value(const SheetSlots& record_slots, const QString& folder);
    void get_stroke_out(SheetSlots& record_slots) const;

    // The reading and meaning under sheets: not part of the record, so kept apart from it.
    void set_info_line(bool on);
    bool info_line() const;

    // The settings the controls, the swatches and the font hold now.
    SheetSettings choices() const;
    const FontChoice& font() const { return font_; }
    // The picture a swatch button shows: "SpeedButton1" to "SpeedButton4".
    QImage swatch(const QString& button) const;

    void Button1Click();  // OK
    void Button2Click();  // Cancel
    void Button3Click();  // folder browser
    void Button4Click();  // font
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

private:
    enum Swatch { underlay_swatch, grid_swatch, main_swatch, second_swatch, swatch_count };

    void connect_controls();
    void apply_enabling();
    void draw_swatches();
    void draw_swatch(Swatch which);
    void choose_colour(Swatch which);

    std::unique_ptr<Ui::TForm8> ui_;
    Dialogs& dialogs_;
    QString installation_folder_;
    UpdateCfg updatecfg_;
    SheetSlots slots_{};
    FontChoice font_;
    std::int32_t last_colour_ = 0;  // where the colour chooser opens: its last answer
    std::array<QImage, swatch_count> swatches_;
    std::array<QToolButton*, swatch_count> swatch_buttons_{};
    // The radio groups, each button's id the value of its choice.
    QButtonGroup* numeral_kind_ = nullptr;
    QButtonGroup* number_style_ = nullptr;
    QButtonGroup* number_align_ = nullptr;
    QButtonGroup* picture_content_ = nullptr;
    QButtonGroup* grid_style_ = nullptr;
    QButtonGroup* color_mode_ = nullptr;
};

}  // namespace inkwren
