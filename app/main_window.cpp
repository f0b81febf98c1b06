#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QSlider>
#include <QToolButton>

#include "animation/raster.h"
#include "app/config_files.h"
#include "langtable/text_keys.h"
#include "pad/pad_layout.h"
#include "pad/palette.h"
#include "pad/player_widget.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace inkwren {

// The panel's grip: a silver rounded plate with a white outline on the teal ground, filling
// the panel behind its controls.
class PanelGrip : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), window_colour);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    }

public:
    static inline const QColor window_colour{0x00, 0x80, 0x80};  // teal
};

namespace {

constexpr auto preference_file = "prefer.cfg";
constexpr auto sheet_settings_file = "config.dat";
constexpr auto output_folder_file = "sys.cfg";
constexpr auto flag_file = "1.txt";
constexpr auto start_character_file = "textlist.txt";
constexpr auto palette_file = "c.cfg";
constexpr auto settings_program = "config.exe";

const char* const button_pictures[pad_button_count] = {"shand.bmp",  "salt.bmp",  "sreplay.bmp",
                                                       "spause.bmp", "sstop.bmp", "magnify.bmp"};

}  // namespace

TForm1::TForm1(const StartupContext& context, Dialogs& dialogs)
    : dialogs_(dialogs), screen_(context.screen) {
    setAcceptDrops(true);
    guarded([&] { FormCreate(context); });
}

TForm1::~TForm1() = default;

template <typename Handler>
void TForm1::guarded(Handler handler) {
    try {
        handler();
    } catch (const Error& error) {
        dialogs_.inform(language_.lookup_text(QString::fromLatin1(text_key::window_caption)),
                        error.message());
    }
}

QString TForm1::fixed_text(const char* key) const {
    return language_.lookup_text(QString::fromLatin1(key));
}

QAction* TForm1::item(const QString& name) const {
    return qobject_cast<QAction*>(named_.value(name));
}

void TForm1::request_quit() {
    quit_requested = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---- Start-up

void TForm1::FormCreate(const StartupContext& context) {
    const Registry registry(context.registry_path);
    installation_folder_ = inkwren::installation_folder(registry, context.working_dir);
    const QDir installation(installation_folder_);
    const int legacy_code_page = read_legacy_code_page(registry);

    // The preference record is read where the program was started from.
    const PreferenceLoad loaded =
        load_or_create_preference(QDir(context.working_dir).filePath(preference_file));
    preferences_ = loaded.record;
    if (!loaded.message.isEmpty()) {
        dialogs_.inform(QStringLiteral("Inkwren"), loaded.message);
    }

    pad_ = std::make_unique<WritingPad>(dialogs_, language_, installation_folder_);
    pad_->legacy_cp = legacy_code_page;
    pad_->encoding.encoding_mode = encoding_mode::gb;
    build_menus();
    build_pad_widgets();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { clipboard_changed(QGuiApplication::clipboard()->text()); });

    const bool has_settings_program = installation.exists(settings_program);
    item(QStringLiteral("N47"))->setVisible(has_settings_program);

    // The language is loaded before the archive check, so that its message has words.
    if (!load_start_language()) {
        return;
    }
    if (!check_archive()) {
        return;
    }
    QDir::setCurrent(installation_folder_);
    pad_->output_folder =
        resolve_output_folder(installation.filePath(output_folder_file), system_shell_folders());
    const SheetSettingsLoad sheet =
        load_or_create_sheet_settings(installation.filePath(sheet_settings_file));
    sheet_settings_ = sheet.settings;
    if (!sheet.message.isEmpty()) {
        dialogs_.inform(fixed_text(text_key::window_caption), sheet.message);
    }
    pad_->stroke_color = sheet_settings_.second_color;
    QDir().mkpath(pad_->custom_folder());
    set_stay_on_top(true);
    if (!read_start_character()) {
        return;
    }
    add_writing_pad(pad_base_size, pad_base_size);
    setWindowTitle(fixed_text(text_key::window_caption));
    pad_->Display_Writing_Pad();
    reset_flag_file(installation.filePath(flag_file));
    keep_on_screen(1);
    apply_captions();

    if (const auto stored = item_for_stored_mode(preferences_.stored_encoding_mode)) {
        const char* names[] = {"N50", "n35", "n36", "n37", "n60"};
        item(QString::fromLatin1(names[int(*stored)]))->trigger();
    }
    const QString stored_language = QString::fromLatin1(preferences_.language_file).trimmed();
    if (stored_language == QStringLiteral("lang.txt")) {
        N31Click();
    } else if (stored_language == QStringLiteral("lang-gb.txt")) {
        N32Click();
    } else if (stored_language == QStringLiteral("english.txt")) {
        N33Click();
    }
    const QString stored_archive = QString::fromLatin1(preferences_.archive_name).trimmed();
    if (stored_archive == QString::fromLatin1(traditional_archive)) {
        choose_traditional_archive(pad_->archive, installation_folder_);
        check_only(library_menu_, item(QStringLiteral("N41")));
    } else if (stored_archive == QString::fromLatin1(simplified_archive)) {
        choose_simplified_archive(pad_->archive);
        check_only(library_menu_, item(QStringLiteral("N42")));
    }
}

bool TForm1::load_start_language() {
    const QString file = QDir(installation_folder_)
                             .filePath(QString::fromLatin1(preferences_.language_file).trimmed());
    if (!QFileInfo::exists(file)) {
        dialogs_.inform(QStringLiteral("Inkwren"),
                        QString::fromUtf8(start_language_file_missing_message));
        request_quit();
        return false;
    }
    language_.load_language(file, pad_->legacy_cp);
    return true;
}

bool TForm1::check_archive() {
    if (QFileInfo::exists(
            QDir(installation_folder_).filePath(QString::fromLatin1(simplified_archive)))) {
        return true;
    }
    dialogs_.inform(fixed_text(text_key::file_missing_caption),
                    fixed_text(text_key::archive_missing_at_start_text));
    abort_flag = true;
    request_quit();
    return false;
}

bool TForm1::read_start_character() {
    const StartCharacter start = inkwren::read_start_character(
        QDir(installation_folder_).filePath(start_character_file), pad_->legacy_cp);
    const QString name = QString::fromLatin1(start_character_file);
    switch (start.status) {
        case StartCharacter::Status::missing:
            dialogs_.inform(QStringLiteral("Inkwren"), fixed_text(text_key::file_missing_caption) +
                                                           QStringLiteral(":") + name);
            request_quit();
            return false;
        case StartCharacter::Status::too_short:
            dialogs_.inform(QStringLiteral("Inkwren"),
                            fixed_text(text_key::damaged_file_text) + QStringLiteral(":") + name +
                                QStringLiteral("  ") +
                                fixed_text(text_key::missing_start_character_text));
            request_quit();
            return false;
        case StartCharacter::Status::ok:
            break;
    }
    pad_->cur_key = start.text;
    return true;
}

// ---- Menus

void TForm1::build_menus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, bool checkable = false,
                      bool checked = false) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        action->setChecked(checked);
        named_.insert(action->objectName(), action);
        return action;
    };
    auto add_menu = [this](QMenu* parent, const char* name, const QString& caption) {
        QMenu* menu = parent != nullptr ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        named_.insert(menu->menuAction()->objectName(), menu->menuAction());
        return menu;
    };
    auto on = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([&] { (this->*handler)(); }); });
    };

    QMenu* file = add_menu(nullptr, "N11", QStringLiteral("檔案"));
    QMenu* custom = add_menu(file, "N16", QStringLiteral("自定文字"));
    add(custom, "N17", QStringLiteral("更新"));
    add(custom, "N19", QStringLiteral("刪除"));
    QMenu* animation = add_menu(file, "N14", QStringLiteral("動畫"));
    add(animation, "Gif1", QStringLiteral("輸出到網頁動畫(Gif)"), true, false);
    add(animation, "N1001", QStringLiteral("100%"), true, true);
    add(animation, "N501", QStringLiteral("50%"), true, false);
    add(file, "N28", QStringLiteral("儲存筆劃檔案..."));
    add(file, "N26", QStringLiteral("儲存設定..."));
    on(add(file, "N47", QStringLiteral("設定...")), &TForm1::N47Click);
    file->addSeparator()->setObjectName(QStringLiteral("N48"));
    add(file, "N27", QStringLiteral("開啟練習簿"))->setVisible(false);
    on(add(file, "N38", QStringLiteral("離開")), &TForm1::N38Click);

    QMenu* view = add_menu(nullptr, "N1", QStringLiteral("檢視"));
    on(add(view, "N2", QStringLiteral("九宮格"), true, true), &TForm1::N2Click);
    on(add(view, "N13", QStringLiteral("鉛筆"), true, true), &TForm1::N13Click);
    on(add(view, "N20", QStringLiteral("閃爍棒"), true, true), &TForm1::N20Click);
    add(view, "N39", QStringLiteral("逐格筆順"));
    on(add(view, "n18", QStringLiteral("使用自定文字"), true, true), &TForm1::N18Click);
    view->addSeparator();
    language_menu_ = add_menu(view, "N30", QStringLiteral("語系"));
    on(add(language_menu_, "N31", QStringLiteral("中文(繁體)"), true), &TForm1::N31Click);
    on(add(language_menu_, "N32", QStringLiteral("中文(簡體)"), true), &TForm1::N32Click);
    QAction* english = add(language_menu_, "N33", QStringLiteral("英文 / English"), true);
    english->setShortcut(QKeySequence(Qt::Key_F12));
    on(english, &TForm1::N33Click);
    QAction* user_language = add(language_menu_, "N45", QString());
    user_language->setVisible(false);
    on(user_language, &TForm1::N45Click);
    encoding_menu_ = add_menu(view, "N34", QStringLiteral("編碼"));
    on(add(encoding_menu_, "N50", QStringLiteral("Autodetect"), true), &TForm1::N50Click);
    on(add(encoding_menu_, "n35", QStringLiteral("Unicode (Traditional)"), true),
       &TForm1::n35Click);
    on(add(encoding_menu_, "n36", QStringLiteral("Unicode (Simplified)"), true), &TForm1::n36Click);
    on(add(encoding_menu_, "n37", QStringLiteral("Big 5"), true), &TForm1::n37Click);
    on(add(encoding_menu_, "n60", QStringLiteral("GB"), true, true), &TForm1::n60Click);
    add(encoding_menu_, "n61", QString())->setSeparator(true);
    QAction* configure = add(encoding_menu_, "Configure1", QStringLiteral("Configure..."));
    configure->setShortcut(QKeySequence(Qt::Key_F4));
    configure->setVisible(false);
    library_menu_ = add_menu(view, "N43", QStringLiteral("字庫"));
    on(add(library_menu_, "N41", QStringLiteral("繁體字庫"), true), &TForm1::N41Click);
    on(add(library_menu_, "N42", QStringLiteral("簡體字庫"), true, true), &TForm1::N42Click);

    QMenu* help = add_menu(nullptr, "N6", QStringLiteral("輔助"));
    add(help, "N7", QStringLiteral("軟件更新..."));
    add(help, "N8", QStringLiteral("使用說明"));

    popup_menu_ = new QMenu(this);
    add(popup_menu_, "N22", QStringLiteral("加入閃爍棒"));
    add(popup_menu_, "N21", QStringLiteral("刪除閃爍棒"));
    add(popup_menu_, "N25", QStringLiteral("刪除這個自定的文字"));
    on(add(popup_menu_, "N5", QStringLiteral("置於螢光幕最上層"), true, true), &TForm1::N5Click);
    on(add(popup_menu_, "N4", QStringLiteral("關於本軟件.....")), &TForm1::N4Click);
}

void TForm1::check_only(QMenu* menu, QAction* chosen) {
    for (QAction* action : menu->actions()) {
        if (action->isCheckable() && action->objectName() != QStringLiteral("N45")) {
            action->setChecked(action == chosen);
        }
    }
}

void TForm1::apply_captions() {
    for (const CaptionTarget& target : caption_targets()) {
        QObject* object = named_.value(QString::fromLatin1(target.item));
        const QString text = language_.lookup_text(QString::fromLatin1(target.key));
        if (auto* action = qobject_cast<QAction*>(object)) {
            // A caption of "-" keeps an item a separator line.
            action->setSeparator(text == QStringLiteral("-"));
            action->setText(text);
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setToolTip(text);
        }
    }
    setWindowTitle(fixed_text(text_key::window_caption));
    const QString user_caption = QString::fromUtf8(preferences_.user_language_caption).trimmed();
    QAction* user_language = item(QStringLiteral("N45"));
    if (!user_caption.isEmpty()) {
        user_language->setText(user_caption);
        user_language->setVisible(true);
    }
}

void TForm1::save_preferences() {
    save_preference(QDir(installation_folder_).filePath(preference_file), preferences_);
}

bool TForm1::reload_language(const QString& file) {
    const QString path = QDir(installation_folder_).filePath(file);
    if (!QFileInfo::exists(path)) {
        dialogs_.inform(QStringLiteral("Inkwren"),
                        QString::fromUtf8(chosen_language_file_missing_message));
        return false;
    }
    language_.clear();
    language_.load_language(path, pad_->legacy_cp);
    return true;
}

void TForm1::choose_language(const QString& file, QAction* chosen) {
    if (!reload_language(file)) {
        return;
    }
    apply_captions();
    preferences_.language_file = file.toUtf8().left(60);
    save_preferences();
    if (chosen != nullptr) {
        check_only(language_menu_, chosen);
    }
}

void TForm1::N31Click() {
    choose_language(QStringLiteral("lang.txt"), item(QStringLiteral("N31")));
}
void TForm1::N32Click() {
    choose_language(QStringLiteral("lang-gb.txt"), item(QStringLiteral("N32")));
}
void TForm1::N33Click() {
    choose_language(QStringLiteral("english.txt"), item(QStringLiteral("N33")));
}

void TForm1::N45Click() {
    const QString file = QString::fromLatin1(user_language_file);
    if (!reload_language(file)) {
        return;
    }
    const QString caption =
        language_.lookup_text(QString::fromLatin1(text_key::user_language_caption));
    preferences_.language_file = file.toUtf8();
    preferences_.user_language_caption = caption_bytes(caption);
    apply_captions();
    QAction* user_language = item(QStringLiteral("N45"));
    user_language->setText(caption);
    user_language->setVisible(true);
    save_preferences();
}

void TForm1::choose_encoding(EncodingItem encoding_item, QAction* chosen) {
    check_only(encoding_menu_, chosen);
    choose_encoding_item(pad_->encoding, encoding_item);
    preferences_.stored_encoding_mode = pad_->encoding.stored_encoding_mode;
    save_preferences();
}

void TForm1::N50Click() {
    choose_encoding(EncodingItem::autodetect, item(QStringLiteral("N50")));
}
void TForm1::n35Click() {
    choose_encoding(EncodingItem::unicode_traditional, item(QStringLiteral("n35")));
}
void TForm1::n36Click() {
    choose_encoding(EncodingItem::unicode_simplified, item(QStringLiteral("n36")));
}
void TForm1::n37Click() {
    choose_encoding(EncodingItem::big5, item(QStringLiteral("n37")));
}
void TForm1::n60Click() {
    choose_encoding(EncodingItem::gb, item(QStringLiteral("n60")));
}

void TForm1::N41Click() {
    if (!choose_traditional_archive(pad_->archive, installation_folder_)) {
        // The names are set, so the next display reports the missing files; nothing else moves.
        item(QStringLiteral("N41"))->setChecked(false);
        return;
    }
    pad_->select_text(zi_inputfield1_->text());
    check_only(library_menu_, item(QStringLiteral("N41")));
    preferences_.archive_name = QByteArray(traditional_archive);
    save_preferences();
}

void TForm1::N42Click() {
    choose_simplified_archive(pad_->archive);
    pad_->select_text(zi_inputfield1_->text());
    check_only(library_menu_, item(QStringLiteral("N42")));
    preferences_.archive_name = QByteArray(simplified_archive);
    save_preferences();
}

void TForm1::N2Click() {
    pad_->toggle_grid();
    item(QStringLiteral("N2"))->setChecked(pad_->show_grid);
}

void TForm1::N13Click() {
    pad_->toggle_pen();
    item(QStringLiteral("N13"))->setChecked(pad_->show_pen);
}

void TForm1::N20Click() {
    pad_->toggle_flashbars();
    item(QStringLiteral("N20"))->setChecked(pad_->show_flashbars);
}

void TForm1::N18Click() {
    pad_->use_custom = !pad_->use_custom;
    item(QStringLiteral("n18"))->setChecked(pad_->use_custom);
    pad_->select_text(pad_->cur_key);
}

void TForm1::N5Click() {
    set_stay_on_top(!windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TForm1::set_stay_on_top(bool on) {
    item(QStringLiteral("N5"))->setChecked(on);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        show();
    }
}

void TForm1::N38Click() {
    request_quit();
}

void TForm1::N47Click() {
    const QString program =
        QDir(installation_folder_).filePath(QString::fromLatin1(settings_program));
    if (QFileInfo::exists(program)) {
        QProcess::startDetached(program, {}, installation_folder_);
    }
}

void TForm1::updatecfg(const QString& folder, const SheetSlots& record_slots) {
    pad_->output_folder = folder;
    sheet_settings_ = sheet_settings_from_slots(record_slots);
    pad_->stroke_color = sheet_settings_.second_color;
    if (pad_->player) {
        pad_->player->hilite_color = pad_->stroke_color;
        pad_->player->save_dir = folder;
    }
    save_sheet_settings(QDir(installation_folder_).filePath(sheet_settings_file), sheet_settings_);
}

void TForm1::N4Click() {
    dialogs_.inform(fixed_text(text_key::about_caption), fixed_text(text_key::window_caption) +
                                                             QStringLiteral("  , ") +
                                                             fixed_text(text_key::about_text));
}

// ---- The pad's widgets

void TForm1::build_pad_widgets() {
    central_ = new QWidget(this);
    central_->setAutoFillBackground(true);
    QPalette ground = central_->palette();
    ground.setColor(QPalette::Window, PanelGrip::window_colour);
    central_->setPalette(ground);
    setCentralWidget(central_);

    player_widget_ = new PlayerWidget(central_);
    player_widget_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(player_widget_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { popup_menu_->popup(player_widget_->mapToGlobal(at)); });

    Panel1_ = new QWidget(central_);
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Panel1_->installEventFilter(this);
    Image4_ = new PanelGrip(Panel1_);
    Image4_->setObjectName(QStringLiteral("Image4"));
    Image4_->installEventFilter(this);

    TrackBar1_ = new QSlider(Qt::Horizontal, Panel1_);
    TrackBar1_->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1_->setRange(0, 100);
    TrackBar1_->setValue(pad_->speed);
    TrackBar2_ = new QSlider(Qt::Horizontal, Panel1_);
    TrackBar2_->setObjectName(QStringLiteral("TrackBar2"));
    TrackBar2_->setRange(0, 30);
    TrackBar2_->setValue(pad_->interval);
    connect(TrackBar1_, &QSlider::valueChanged, this, [this](int value) { pad_->speed = value; });
    connect(TrackBar2_, &QSlider::valueChanged, this,
            [this](int value) { pad_->interval = value; });
    named_.insert(QStringLiteral("TrackBar1"), TrackBar1_);
    named_.insert(QStringLiteral("TrackBar2"), TrackBar2_);

    for (int index = 0; index < pad_button_count; ++index) {
        QToolButton* button = new QToolButton(Panel1_);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(index + 1));
        button->setAutoRaise(true);
        button->setIconSize(QSize(20, 20));
        named_.insert(button->objectName(), button);
        buttons_[index] = button;
    }
    connect(buttons_[0], &QToolButton::clicked, this,
            [this] { guarded([&] { pad_->player->toggle_grey_first(); }); });
    connect(buttons_[1], &QToolButton::clicked, this,
            [this] { guarded([&] { pad_->player->toggle_two_color(); }); });
    connect(buttons_[2], &QToolButton::clicked, this,
            [this] { guarded([&] { pad_->player->replay(); }); });
    connect(buttons_[3], &QToolButton::clicked, this, [this] { pad_->player->pause(); });
    connect(buttons_[4], &QToolButton::clicked, this,
            [this] { guarded([&] { pad_->player->stop_play(); }); });
    connect(buttons_[5], &QToolButton::clicked, this, [this] { guarded([&] { toggle_zoom(); }); });

    zi_inputfield1_ = new QLineEdit(Panel1_);
    zi_inputfield1_->setObjectName(QStringLiteral("zi_inputfield1"));
    zi_inputfield1_->setFont(QFont(QStringLiteral("Lucida Sans Unicode"), 14));
    zi_inputfield1_->setAlignment(Qt::AlignCenter);
    zi_inputfield1_->installEventFilter(this);
    named_.insert(zi_inputfield1_->objectName(), zi_inputfield1_);
    connect(zi_inputfield1_, &QLineEdit::returnPressed, this,
            [this] { guarded([&] { zi_inputfield1Enter(); }); });

    Bevel1_ = new QLabel(Panel1_);
    Bevel1_->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image2_ = new QLabel(Panel1_);
    Image2_->setObjectName(QStringLiteral("Image2"));
    Image2_->installEventFilter(this);
    Image3_ = new QLabel(Panel1_);
    Image3_->setObjectName(QStringLiteral("Image3"));

    pad_->on_player_replaced = [this] {
        player_widget_->show_player(pad_->player.get());
        if (QSize(pad_->pad_w, pad_->pad_h) != laid_out_size_) {
            add_writing_pad(pad_->pad_w, pad_->pad_h);
        }
    };
    pad_->on_field_text = [this](const QString& text) { zi_inputfield1_->setText(text); };
    pad_->on_sliders_changed = [this] { sync_sliders(); };
    pad_->on_keep_on_screen = [this](int mode) { keep_on_screen(mode); };
}

void TForm1::sync_sliders() {
    const QSignalBlocker block_speed(TrackBar1_);
    const QSignalBlocker block_interval(TrackBar2_);
    TrackBar1_->setValue(pad_->speed);
    TrackBar2_->setValue(pad_->interval);
}

void TForm1::add_writing_pad(int width, int height) {
    const QDir installation(installation_folder_);
    const std::optional<QImage> palette = load_palette(installation.filePath(palette_file));
    const PadLayout layout = lay_out_pad(width, height, palette.has_value());
    player_widget_->setGeometry(layout.player);
    Panel1_->setGeometry(layout.panel);
    Image4_->setGeometry(QRect(QPoint(0, 0), layout.panel.size()));
    TrackBar1_->setGeometry(layout.pen_speed_slider);
    TrackBar2_->setGeometry(layout.interval_slider);
    for (int index = 0; index < pad_button_count; ++index) {
        buttons_[index]->setGeometry(layout.buttons[std::size_t(index)]);
        QString picture = QString::fromLatin1(button_pictures[index]);
        if (index == pad_button_count - 1 && !pad_->can_magnify) {
            picture = QStringLiteral("shrink.bmp");
        }
        buttons_[index]->setIcon(QIcon(QPixmap(installation.filePath(picture))));
    }
    zi_inputfield1_->setGeometry(layout.character_field);
    const bool with_palette = palette.has_value();
    for (QWidget* widget : {static_cast<QWidget*>(Image2_), static_cast<QWidget*>(Image3_),
                            static_cast<QWidget*>(Bevel1_)}) {
        widget->setVisible(with_palette);
    }
    if (palette) {
        palette_ = *palette;
        Image2_->setGeometry(layout.palette);
        Image2_->setPixmap(QPixmap::fromImage(palette_));
        Bevel1_->setGeometry(layout.bevel);
        Image3_->setGeometry(layout.swatch);
        show_swatch();
    }
    central_->setFixedSize(layout.window);
    laid_out_size_ = QSize(width, height);
    setFixedSize(layout.window.width(), layout.window.height() + menuBar()->sizeHint().height());
}

void TForm1::show_swatch() {
    QImage swatch = make_bitmap(30, 30, pick_color_);
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 29, 29);
    painter.end();
    Image3_->setPixmap(QPixmap::fromImage(swatch));
}

void TForm1::pick_palette_colour(QPoint at, bool) {
    if (!QRect(QPoint(0, 0), palette_.size()).contains(at)) {
        return;
    }
    pick_color_ = color_at(palette_, at.x(), at.y());
    show_swatch();
}

void TForm1::keep_on_screen(int mode) {
    if (!screen_.isValid()) {
        return;
    }
    move(inkwren::keep_on_screen(frameGeometry(), screen_, mode));
}

void TForm1::zi_inputfield1Enter() {
    pad_->select_text(zi_inputfield1_->text());
}

void TForm1::toggle_zoom() {
    pad_->toggle_zoom(screen_.height());
}

void TForm1::clipboard_changed(const QString& text) {
    guarded([&] { pad_->clipboard_changed(text); });
}

void TForm1::drop_files(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    guarded([&] {
        if (pad_->drop_file(paths.first()) == DroppedKind::user_language &&
            QDir(installation_folder_).exists()) {
            copy_text_file(paths.first(), QDir(installation_folder_).filePath(user_language_file));
            N45Click();
        }
    });
}

// ---- Window events

void TForm1::closeEvent(QCloseEvent* event) {
    guarded([&] { pad_->offer_save(); });
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    drop_files(paths);
    event->acceptProposedAction();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const bool on_panel = watched == Panel1_ || watched == Image4_;
    if (on_panel && event->type() == QEvent::MouseButtonPress) {
        dragging_panel_ = true;
        drag_start_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        return true;
    }
    if (on_panel && event->type() == QEvent::MouseMove && dragging_panel_) {
        const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        QRect moved = Panel1_->geometry().translated(now - drag_start_);
        if (watched == Image4_) {
            // A drag on the grip keeps the panel inside the window and under the pad.
            moved.moveLeft(
                std::clamp(moved.left(), 0, std::max(0, central_->width() - moved.width())));
            const int lowest_top = player_widget_->geometry().bottom() + 1 + 8;
            if (moved.top() <= lowest_top || moved.bottom() >= central_->height() - 5) {
                moved.moveTop(lowest_top);
            }
        }
        Panel1_->move(moved.topLeft());
        drag_start_ = now;
        return true;
    }
    if (on_panel && event->type() == QEvent::MouseButtonRelease) {
        dragging_panel_ = false;
        return true;
    }
    if (watched == zi_inputfield1_ && event->type() == QEvent::MouseButtonRelease) {
        zi_inputfield1_->selectAll();
    }
    if (watched == Image2_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress || (mouse->buttons() & Qt::LeftButton)) {
            pick_palette_colour(mouse->position().toPoint(),
                                event->type() == QEvent::MouseButtonPress);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace inkwren
