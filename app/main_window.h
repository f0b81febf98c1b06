// The main window: the small always-on-top window with the writing pad, its menus, its tray
// icon and the ways text and files reach it. It is built from a finished start-up; what it
// shows is computed by the shell, the writing pad and the language table, and each menu
// handler is a line or two that calls them.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

#include "app/shell.h"

class QAction;
class QLineEdit;
class QMenu;

namespace inkwren {

class Dialogs;
struct MenuEntry;
class PadView;
class TForm8;
class TForm9;
class TrayIcon;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(StartupResult start, Dialogs& dialogs);
    ~TForm1() override;

    Shell& shell() { return shell_; }
    WritingPad& pad() { return shell_.pad(); }

    // A menu item by its designer name ("N2", …), or any other named control ("TrackBar1", …).
    QAction* item(const QString& name) const;
    QObject* named(const QString& name) const;
    QLineEdit* character_field() const;
    PadView& pad_view() const { return *view_; }
    // Made at their first use: the first frame does without them.
    TForm8& sheet_dialog();
    TForm9& step_window();
    TrayIcon& tray_icon() const { return *tray_; }

    // Menu handlers. A choice item (a language, an encoding, a library, a GIF scale, a stroke
    // order standard) runs choose with what it chooses.
    void choose(const MenuChoice& choice);
    void N45Click();   // the user language
    void N2Click();    // nine-grid
    void N13Click();   // pencil
    void N20Click();   // flash bars
    void N53Click();   // stroke numbers
    void N72Click();   // smooth ink
    void N108Click();  // the character information strip
    void N74Click();   // practice writing on or off
    void N75Click();   // the character in grey while practising
    void N77Click();   // take back a stroke
    void N78Click();   // skip a stroke
    void N79Click();   // stop practising
    void N80Click();   // practice review
    void N67Click();   // smooth GIFs
    void N56Click();   // play, pause or resume
    void N57Click();   // the next stroke
    void N58Click();   // the previous stroke
    void N59Click();   // no strokes
    void N60Click();   // the whole character
    void N61Click();   // looping
    void N62Click();   // pen faster
    void N63Click();   // pen slower
    void N18Click();   // use custom characters
    void N17Click();   // save the custom character
    void N19Click();   // delete the custom character
    void N25Click();   // delete the custom character, from the pop-up menu
    void N28Click();   // save the stroke-order sheet
    void N39Click();   // the sheet in the step-by-step window
    // The same, leaving an unsaved edit as it is.
    void Change_Stroke_Order();
    void N22Click();   // add a flash bar to the selected stroke
    void N21Click();   // remove the selected flash bar
    void N5Click();    // stay on top
    void N38Click();   // quit
    void N47Click();   // run the external settings program
    void N4Click();    // about
    void N27Click();   // the workbook: only names the window
    void N8Click();    // the user manual
    void N26Click();   // the sheet settings dialog
    void Gif1Click();  // record the animation as GIF frames

    // Takes the output folder and the sheet settings from the sheet settings dialog.
    void updatecfg(const QString& folder, const SheetSlots& record_slots);

    // Events from outside, also called by tests.
    void clipboard_changed(const QString& text);
    // A later start's hand-over: the window comes forward, and the text (if any) is shown as a
    // copied one once no other event is being handled.
    void take_handed_over(const QString& text);
    void drop_files(const QStringList& paths);
    void apply_captions();

    // Set once the user asked to quit.
    bool quit_requested = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build_menus();
    void wire(QAction* action, const MenuEntry& entry);
    void add_edit_shortcuts();
    void show_step_by_step(bool store_edit);
    void show_menu_state();
    void keep_on_screen(int mode);
    void apply_stay_on_top();
    void reapply_stored_choices();
    void guarded(const std::function<void()>& handler);
    void come_forward();
    void text_from_outside(const QString& text);
    void show_waiting_text();

    Dialogs& dialogs_;
    QSize screen_;
    Shell shell_;
    QHash<QString, QAction*> actions_;
    QMenu* popup_menu_ = nullptr;
    PadView* view_ = nullptr;
    TrayIcon* tray_ = nullptr;
    TForm8* sheet_dialog_ = nullptr;
    // A window of its own, not kept above this one.
    std::unique_ptr<TForm9> step_window_;
    // How deep events are being handled: above 0 while a question waits for its answer.
    int handling_ = 0;
    // The latest text from outside that came while another event was being handled.
    std::optional<QString> waiting_text_;
};

}  // namespace inkwren
