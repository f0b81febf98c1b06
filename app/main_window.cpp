#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/config_files.h"
#include "app/menu_table.h"
#include "app/sheet_commands.h"
#include "app/sheet_settings_dialog.h"
#include "app/tray_icon.h"
#include "langtable/text_keys.h"
#include "output/step_by_step_window.h"
#include "pad/pad_view.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {

TForm1::TForm1(StartupResult start, Dialogs& dialogs)
    : dialogs_(dialogs), screen_(start.screen), shell_(std::move(start), dialogs) {
    setAcceptDrops(true);
    build_menus();
    add_edit_shortcuts();
    view_ = new PadView(
        pad(), shell_.palette(), screen_.height(),
        [this](const std::function<void()>& work) { guarded(work); }, this);
    view_->on_resized = [this] {
        setFixedSize(view_->width(), view_->height() + menuBar()->sizeHint().height());
    };
    setCentralWidget(view_);
    view_->show_info_strip(shell_.character_info());
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The pop-up menu edits strokes, which a learner practising writes instead.
    connect(view_, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (!shell_.practising()) {
            popup_menu_->popup(view_->mapToGlobal(at));
        }
    });

    WritingPad& writing_pad = pad();
    writing_pad.on_player_replaced = [this] { view_->show_player(); };
    writing_pad.on_field_text = [this](const QString& text) {
        view_->character_field()->setText(text);
    };
    writing_pad.on_settings_changed = [this] { view_->sync_sliders(); };
    writing_pad.on_keep_on_screen = [this](int mode) { keep_on_screen(mode); };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { text_from_outside(QGuiApplication::clipboard()->text()); });
    tray_ = new TrayIcon(this);

    apply_stay_on_top();
    guarded([this] { shell_.show_start_character(); });
    keep_on_screen(1);
    apply_captions();
    reapply_stored_choices();
}

TForm1::~TForm1() = default;

// Events enter the program here: a failure is shown, and the menus show the state in force.
void TForm1::guarded(const std::function<void()>& handler) {
    ++handling_;
    try {
        handler();
    } catch (const Error& error) {
        dialogs_.inform(shell_.caption(), error.message());
    }
    --handling_;
    show_menu_state();
    if (handling_ == 0 && waiting_text_) {
        QMetaObject::invokeMethod(
            this, [this] { show_waiting_text(); }, Qt::QueuedConnection);
    }
}

QAction* TForm1::item(const QString& name) const {
    return actions_.value(name);
}

QObject* TForm1::named(const QString& name) const {
    if (QAction* action = item(name)) {
        return action;
    }
    return findChild<QObject*>(name);
}

TForm8& TForm1::sheet_dialog() {
    if (sheet_dialog_ == nullptr) {
        sheet_dialog_ = new TForm8(
            dialogs_, shell_.installation_folder(),
            [this](const QString& folder, const SheetSlots& record_slots) {
                updatecfg(folder, record_slots);
            },
            this);
    }
    return *sheet_dialog_;
}

TForm9& TForm1::step_window() {
    if (!step_window_) {
        step_window_ = std::make_unique<TForm9>();
        // Only the main window's closing ends the program.
        step_window_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *step_window_;
}

QLineEdit* TForm1::character_field() const {
    return view_->character_field();
}

// ---- Menus

void TForm1::build_menus() {
    QHash<QString, QMenu*> menus;
    QHash<QString, QActionGroup*> groups;
    popup_menu_ = new QMenu(this);
    popup_menu_->setObjectName(QString::fromLatin1(popup_menu_name));
    menus.insert(popup_menu_->objectName(), popup_menu_);
    for (const MenuEntry& entry : menu_table()) {
        const QString caption = QString::fromUtf8(entry.caption);
        QMenu* parent =
            entry.menu != nullptr ? menus.value(QString::fromLatin1(entry.menu)) : nullptr;
        QAction* action = nullptr;
        if (entry.kind == MenuKind::submenu) {
            QMenu* menu =
                parent != nullptr ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menus.insert(QString::fromLatin1(entry.name), menu);
            action = menu->menuAction();
        } else {
            const bool separator = entry.kind == MenuKind::separator;
            // A separator with text would show it as a section heading.
            action = parent->addAction(separator ? QString() : caption);
            action->setSeparator(separator);
        }
        action->setObjectName(QString::fromLatin1(entry.name));
        wire(action, entry);
        if (entry.kind == MenuKind::choice) {
            QActionGroup*& group = groups[QString::fromLatin1(entry.menu)];
            if (group == nullptr) {
                group = new QActionGroup(this);
            }
            group->addAction(action);
        }
        actions_.insert(action->objectName(), action);
    }
}

// The check marks and greyed items are set as every event ends, by show_menu_state.
void TForm1::wire(QAction* action, const MenuEntry& entry) {
    const MenuWiring& wiring = entry.wiring;
    action->setVisible(!wiring.hidden && (wiring.shown == nullptr || wiring.shown(shell_)));
    if (wiring.second_shortcut.isEmpty()) {
        action->setShortcut(wiring.shortcut);
    } else {
        action->setShortcuts({wiring.shortcut, wiring.second_shortcut});
    }
    action->setCheckable(entry.kind == MenuKind::toggle || entry.kind == MenuKind::choice);
    if (entry.kind == MenuKind::command) {
        action->setEnabled(wiring.handler != nullptr);
    }
    if (wiring.handler != nullptr) {
        connect(action, &QAction::triggered, this,
                [this, handler = wiring.handler] { guarded([&] { (this->*handler)(); }); });
    } else if (entry.kind == MenuKind::choice) {
        connect(action, &QAction::triggered, this,
                [this, &choice = wiring.choice] { guarded([&] { choose(choice); }); });
    }
}

// Undo and redo of the strokes' edits: keys of the window, not items of its menus. While the
// character field has the focus, it takes these keys for its own text.
void TForm1::add_edit_shortcuts() {
    const struct {
        const char* name;
        QList<QKeySequence> keys;
        void (WritingPad::*step)();
    } edits[] = {
        {"EditUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &WritingPad::undo},
        {"EditRedo",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         &WritingPad::redo},
    };
    for (const auto& edit : edits) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(edit.name));
        action->setShortcuts(edit.keys);
        addAction(action);
        connect(action, &QAction::triggered, this,
                [this, step = edit.step] { guarded([&] { (pad().*step)(); }); });
        actions_.insert(action->objectName(), action);
    }
}

void TForm1::show_menu_state() {
    for (const MenuEntry& entry : menu_table()) {
        QAction* action = item(QString::fromLatin1(entry.name));
        if (const std::optional<bool> checked = check_mark(entry, shell_)) {
            action->setChecked(*checked);
        }
        if (entry.wiring.enabled != nullptr) {
            action->setEnabled(entry.wiring.enabled(shell_));
        }
    }
}

void TForm1::apply_captions() {
    const LanguageTable& language = shell_.language();
    for (const MenuEntry& entry : menu_table()) {
        QAction* action = item(QString::fromLatin1(entry.name));
        if (entry.caption_key != nullptr) {
            const QString text = language.lookup_text(QString::fromLatin1(entry.caption_key));
            // A caption of "-" keeps an item a separator line.
            const bool separator = text == QStringLiteral("-");
            action->setSeparator(separator);
            action->setText(separator ? QString() : text);
        }
        if (entry.wiring.own_caption != nullptr) {
            if (const QString own = entry.wiring.own_caption(shell_); !own.isEmpty()) {
                action->setText(own);
                action->setVisible(true);
            }
        }
    }
    for (const CaptionTarget& target : caption_targets()) {
        if (auto* widget = target.hint ? view_->findChild<QWidget*>(target.item) : nullptr) {
            widget->setToolTip(language.lookup_text(QString::fromLatin1(target.key)));
        }
    }
    setWindowTitle(shell_.caption());
    view_->show_mainland_note();
}

// The stored language and encoding, each chosen again through its item as a click would, so that
// one that fails leaves the other and every check mark as they should be; then the library.
void TForm1::reapply_stored_choices() {
    for (const MenuEntry& entry : menu_table()) {
        if (shell_.chosen_at_start(entry.wiring.choice)) {
            item(QString::fromLatin1(entry.name))->trigger();
        }
    }
    guarded([this] { shell_.apply_stored_library(); });
}

void TForm1::choose(const MenuChoice& choice) {
    if (const auto* language = std::get_if<LanguageFile>(&choice)) {
        shell_.choose_language(QString::fromLatin1(language->file));
        apply_captions();
    } else if (const auto* encoding = std::get_if<EncodingItem>(&choice)) {
        shell_.choose_encoding(*encoding);
    } else if (const auto* library = std::get_if<LibraryItem>(&choice)) {
        shell_.choose_library(*library, character_field()->text());
    } else if (const auto* gif = std::get_if<GifScale>(&choice)) {
        shell_.choose_gif_scale(gif->scale);
    } else if (const auto* standard = std::get_if<StrokeOrderStandard>(&choice)) {
        shell_.choose_standard(*standard, character_field()->text());
    } else if (const auto* grid_style = std::get_if<PadGridStyle>(&choice)) {
        shell_.choose_grid_style(*grid_style);
    } else {
        shell_.choose_practice_rule(choice);
    }
}

void TForm1::N45Click() {
    shell_.choose_user_language();
    apply_captions();
}

void TForm1::N2Click() {
    pad().toggle_grid();
}
void TForm1::N13Click() {
    pad().toggle_pen();
}
void TForm1::N20Click() {
    pad().toggle_flashbars();
}
void TForm1::N53Click() {
    shell_.toggle_stroke_numbers();
}

void TForm1::N67Click() {
    shell_.toggle_smooth_gif();
}

void TForm1::N72Click() {
    shell_.toggle_smooth_ink();
}

void TForm1::N108Click() {
    shell_.toggle_character_info();
    view_->show_info_strip(shell_.character_info());
}

void TForm1::N74Click() {
    shell_.toggle_practice();
}
void TForm1::N75Click() {
    shell_.toggle_practice_outline();
}
void TForm1::N77Click() {
    if (PracticeMode* practice = pad().practice()) {
        practice->take_back();
    }
}
void TForm1::N78Click() {
    pad().skip_practice_stroke();
}
void TForm1::N79Click() {
    shell_.stop_practice();
}
void TForm1::N80Click() {
    shell_.review_practice();
}

// The keyboard lesson. While the character field has the focus, it keeps these keys for its
// text: a line edit claims printable and cursor keys before window shortcuts see them.
// While practising, Space skips the stroke the learner is to write.
void TForm1::N56Click() {
    if (pad().practice() != nullptr) {
        pad().skip_practice_stroke();
        return;
    }
    pad().play_or_pause();
}
void TForm1::N57Click() {
    pad().step_strokes(StrokeStep::next);
}
void TForm1::N58Click() {
    pad().step_strokes(StrokeStep::previous);
}
void TForm1::N59Click() {
    pad().step_strokes(StrokeStep::none);
}
void TForm1::N60Click() {
    pad().step_strokes(StrokeStep::all);
}
void TForm1::N61Click() {
    pad().toggle_looping();
}
void TForm1::N62Click() {
    pad().change_pen_speed(1);
}
void TForm1::N63Click() {
    pad().change_pen_speed(-1);
}

void TForm1::N18Click() {
    shell_.toggle_use_custom();
}

void TForm1::N17Click() {
    shell_.save_custom();
}
void TForm1::N19Click() {
    shell_.delete_custom_by_menu();
}
void TForm1::N25Click() {
    shell_.delete_custom_by_popup();
}

void TForm1::N28Click() {
    save_sheet(shell_, dialogs_);
}

void TForm1::N39Click() {
    show_step_by_step(true);
}

void TForm1::Change_Stroke_Order() {
    guarded([this] { show_step_by_step(false); });
}

void TForm1::show_step_by_step(bool store_edit) {
    const std::optional<StrokeOrderSheet> sheet =
        sheet_of_shown_character(shell_, dialogs_, store_edit);
    if (!sheet) {
        return;
    }
    const QImage shown = sheet_with_animation_band(*sheet);
    step_window().set_frames(sheet->pictures);
    step_window().show_sheet(shown, {0, shown.height() - sheet->picture_size.height()});
}

void TForm1::N22Click() {
    pad().add_flash_bar();
}
void TForm1::N21Click() {
    pad().delete_flash_bar();
}

void TForm1::Gif1Click() {
    shell_.toggle_record_gif();
}

void TForm1::N5Click() {
    shell_.set_stay_on_top(!shell_.stay_on_top());
    apply_stay_on_top();
}

void TForm1::apply_stay_on_top() {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, shell_.stay_on_top());
    if (visible) {
        show();
    }
}

void TForm1::N38Click() {
    quit_requested = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TForm1::N47Click() {
    shell_.run_settings_program();
}

void TForm1::N27Click() {
    setWindowTitle(shell_.text(text_key::window_caption));
}

void TForm1::N8Click() {
    shell_.open_manual();
}

void TForm1::N4Click() {
    dialogs_.inform(shell_.text(text_key::about_caption), shell_.about_text());
}

void TForm1::N26Click() {
    TForm8& dialog = sheet_dialog();
    dialog.apply_captions(shell_.language());
    dialog.init_dialog_value(shell_.sheet_slots(), shell_.output_folder());
    dialog.set_info_line(shell_.sheet_info_line());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), dialog.size());
        centred.moveCenter(screen->availableGeometry().center());
        dialog.move(centred.topLeft());
    }
    dialog.open();
}

void TForm1::updatecfg(const QString& folder, const SheetSlots& record_slots) {
    guarded([&] {
        shell_.updatecfg(folder, record_slots);
        shell_.set_sheet_info_line(sheet_dialog().info_line());
    });
}

void TForm1::keep_on_screen(int mode) {
    if (screen_.isValid()) {
        move(inkwren::keep_on_screen(frameGeometry(), screen_, mode));
    }
}

}  // namespace inkwren
