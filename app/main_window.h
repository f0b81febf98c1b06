// The main window: the small always-on-top window with the writing pad, its menus and its
// start-up. What it shows is computed by the writing pad, the language table and the settings
// records; the window builds the widgets, applies the captions and forwards events.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPoint>
#include <QSize>

#include <memory>

#include "app/preference_record.h"
#include "app/sheet_settings_record.h"
#include "langtable/language_table.h"
#include "pad/writing_pad.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QToolButton;

namespace inkwren {

class Dialogs;
class PlayerWidget;
class PanelGrip;

// Where the program starts from: the per-user settings store, the working directory at launch
// and the size of the screen the window is kept on.
struct StartupContext {
    QString registry_path;
    QString working_dir;
    QSize screen;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(const StartupContext& context, Dialogs& dialogs);
    ~TForm1() override;

    // Set when the stroke archive is missing at start: the program ends without running.
    bool abort_flag = false;
    // Set when start-up asked the application to quit.
    bool quit_requested = false;

    WritingPad& pad() { return *pad_; }
    LanguageTable& language() { return language_; }
    const PreferenceRecord& preferences() const { return preferences_; }
    const SheetSettings& sheet_settings() const { return sheet_settings_; }
    const QString& installation_folder() const { return installation_folder_; }
    const QString& output_folder() const { return pad_->output_folder; }

    // A menu item or control by its designer name ("N2", "TrackBar1", …).
    QAction* item(const QString& name) const;
    QObject* named(const QString& name) const { return named_.value(name); }
    QLineEdit* character_field() const { return zi_inputfield1_; }

    // Menu handlers.
    void N31Click();  // Traditional Chinese
    void N32Click();  // Simplified Chinese
    void N33Click();  // English
    void N45Click();  // the user language
    void N50Click();  // encoding: Autodetect
    void n35Click();  // Unicode (Traditional)
    void n36Click();  // Unicode (Simplified)
    void n37Click();  // Big 5
    void n60Click();  // GB
    void N41Click();  // traditional stroke archive
    void N42Click();  // simplified stroke archive
    void N2Click();   // nine-grid
    void N13Click();  // pencil
    void N20Click();  // flash bars
    void N18Click();  // use custom characters
    void N5Click();   // stay on top
    void N38Click();  // quit
    void N47Click();  // run the external settings program
    void N4Click();   // about

    // Takes the output folder and the sheet settings from the sheet settings dialog, stores them
    // in "config.dat" and hands the stroke colour and the folder to the pad.
    void updatecfg(const QString& folder, const SheetSlots& record_slots);

    // Events from outside, also called by tests.
    void zi_inputfield1Enter();
    void toggle_zoom();
    void clipboard_changed(const QString& text);
    void drop_files(const QStringList& paths);
    void apply_captions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const StartupContext& context);
    bool load_start_language();
    bool check_archive();
    bool read_start_character();
    void build_menus();
    void build_pad_widgets();
    void add_writing_pad(int width, int height);
    void keep_on_screen(int mode);
    void request_quit();
    void save_preferences();
    // Refills the table from a language file of the installation folder; false when it is
    // missing (the user is told, and the table keeps its entries).
    bool reload_language(const QString& file);
    void choose_language(const QString& file, QAction* chosen);
    void choose_encoding(EncodingItem item, QAction* chosen);
    void check_only(QMenu* menu, QAction* chosen);
    void set_stay_on_top(bool on);
    void sync_sliders();
    void pick_palette_colour(QPoint at, bool recolour);
    void show_swatch();
    QString fixed_text(const char* key) const;
    template <typename Handler>
    void guarded(Handler handler);

    Dialogs& dialogs_;
    LanguageTable language_;
    PreferenceRecord preferences_;
    SheetSettings sheet_settings_;
    QString installation_folder_;
    QSize screen_;
    std::unique_ptr<WritingPad> pad_;
    QHash<QString, QObject*> named_;

    QMenu* language_menu_ = nullptr;
    QMenu* encoding_menu_ = nullptr;
    QMenu* library_menu_ = nullptr;
    QMenu* popup_menu_ = nullptr;

    QWidget* central_ = nullptr;
    PlayerWidget* player_widget_ = nullptr;
    QWidget* Panel1_ = nullptr;
    PanelGrip* Image4_ = nullptr;
    QSlider* TrackBar1_ = nullptr;
    QSlider* TrackBar2_ = nullptr;
    QToolButton* buttons_[6] = {};
    QLineEdit* zi_inputfield1_ = nullptr;
    QLabel* Image2_ = nullptr;  // palette
    QLabel* Image3_ = nullptr;  // swatch
    QLabel* Bevel1_ = nullptr;
    QImage palette_;
    std::int32_t pick_color_ = 0;

    QSize laid_out_size_;

    // Panel drag.
    bool dragging_panel_ = false;
    QPoint drag_start_;
};

}  // namespace inkwren
