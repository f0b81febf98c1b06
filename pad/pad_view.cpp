#include "pad/pad_view.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <iterator>

#include "langtable/text_keys.h"
#include "pad/info_strip.h"
#include "pad/pad_layout.h"
#include "pad/palette_view.h"
#include "pad/panel_drag.h"
#include "pad/player_widget.h"
#include "pad/writing_pad.h"

namespace inkwren {
namespace {

const QColor window_colour(0x00, 0x80, 0x80);  // teal
constexpr int note_margin = 1;

// The notes' looks. Each is given its style sheet as it is first shown: a style sheet at start-up
// would have the first frame load and run Qt's style sheet machinery for two hidden labels.
const char* const mainland_note_style = "QLabel { color: #606060; font-size: 10px; }";
const char* const missing_note_style =
    "QLabel { color: #303030; background: #FFFFE1; border: 1px solid #A0A0A0; "
    "padding: 1px 4px; font-size: 11px; }";

void style_before_showing(QLabel& note, const char* style) {
    if (note.styleSheet().isEmpty()) {
        note.setStyleSheet(QString::fromLatin1(style));
    }
}

// A label in the pad's bottom right corner, in the margin under the practice square, that the
// mouse passes through to the pad.
QLabel* make_note(QWidget* pad) {
    auto* note = new QLabel(pad);
    note->setObjectName(QStringLiteral("MainlandFormNote"));
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    note->hide();
    return note;
}

// A small pale label on the panel, over the slider beside the character field.
QLabel* make_missing_note(QWidget* panel) {
    auto* note = new QLabel(panel);
    note->setObjectName(QStringLiteral("MissingCharacterNote"));
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    note->hide();
    return note;
}

// The readings list: how many characters it offers, and how wide it opens, leftwards from the
// field's right edge so that it stays over the panel.
constexpr std::size_t readings_offered = 12;
constexpr int reading_list_width = 200;

const char* const button_pictures[pad_button_count] = {"shand.bmp",  "salt.bmp",  "sreplay.bmp",
                                                       "spause.bmp", "sstop.bmp", "magnify.bmp"};

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
};

bool moves_slider(const QKeyEvent& key) {
    static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                               Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
    return key.modifiers() == Qt::NoModifier &&
           std::find(std::begin(keys), std::end(keys), key.key()) != std::end(keys);
}

QSlider* make_slider(QWidget* parent, const char* name, SettingRange range, int value) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(range.low, range.high);
    slider->setValue(value);
    return slider;
}

}  // namespace

PadView::PadView(WritingPad& pad, QImage palette, int screen_height, EventGuard guard,
                 QWidget* parent)
    : QWidget(parent),
      pad_(pad),
      palette_(std::move(palette)),
      screen_height_(screen_height),
      guard_(std::move(guard)),
      player_widget_(new PlayerWidget(this)),
      Panel1_(new QWidget(this)),
      Image4_(new PanelGrip(Panel1_)),
      mainland_note_(make_note(player_widget_)) {
    setAutoFillBackground(true);
    QPalette ground = this->palette();
    ground.setColor(QPalette::Window, window_colour);
    setPalette(ground);
    player_widget_->setObjectName(QStringLiteral("PlayerWidget"));
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Image4_->setObjectName(QStringLiteral("Image4"));
    new PanelDrag(Panel1_, Image4_, player_widget_);
    Panel1_->setFocusPolicy(Qt::ClickFocus);
    player_widget_->guard = guard_;
    player_widget_->on_pressed = [this] { Panel1_->setFocus(Qt::MouseFocusReason); };
    player_widget_->practice = [this] { return pad_.practice(); };
    player_widget_->on_practice_stroke_begin = [this](QPointF at) {
        pad_.begin_practice_stroke(at);
    };
    player_widget_->on_practice_stroke_end = [this](QPointF at) { pad_.end_practice_stroke(at); };
    build_panel();
    info_strip_ = new InfoStrip(this);
    info_strip_->setObjectName(QStringLiteral("InfoStrip"));
    info_strip_->on_form_clicked = [this](const QString& character) { write_offered(character); };
    show_player();
}

QCompleter& PadView::reading_list() {
    if (reading_list_ == nullptr) {
        build_reading_list();
    }
    return *reading_list_;
}

void PadView::build_reading_list() {
    readings_offered_ = new QStandardItemModel(this);
    reading_list_ = new QCompleter(readings_offered_, this);
    reading_list_->setObjectName(QStringLiteral("ReadingList"));
    reading_list_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    reading_list_->setWidget(zi_inputfield1_);
    QFont list_font;
    list_font.setPixelSize(16);
    reading_list_->popup()->setFont(list_font);
    // Enter on the list is taken before the list's own handling, which would pass it to the field
    // as well and write the first character before the chosen one.
    reading_list_->popup()->installEventFilter(this);
    connect(
        reading_list_, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
        [this](const QModelIndex& index) { write_offered(index.data(Qt::UserRole).toString()); });
}

void PadView::offer_readings(const QString& typed) {
    const std::vector<CharInfo> found = pad_.characters_read_as(typed, readings_offered);
    if (found.empty() && reading_list_ == nullptr) {
        return;  // nothing offered yet, nothing to take back
    }
    QCompleter& list = reading_list();
    readings_offered_->clear();
    if (found.empty()) {
        list.popup()->hide();
        return;
    }
    for (const CharInfo& info : found) {
        const QString character = QString::fromUcs4(&info.character, 1);
        auto* item = new QStandardItem(character + QStringLiteral("  ") +
                                       info.readings.join(QStringLiteral(", ")));
        item->setData(character, Qt::UserRole);
        if (!info.definition.isEmpty()) {
            item->setToolTip(info.definition);
        }
        readings_offered_->appendRow(item);
    }
    const int width = reading_list_width;
    list.complete(QRect(zi_inputfield1_->width() - width, 0, width, zi_inputfield1_->height()));
}

// A character picked from the readings list or the strip's other forms is written as if typed.
void PadView::write_offered(const QString& character) {
    guard_([&] {
        hide_missing_note();
        hide_reading_list();
        zi_inputfield1_->setText(character);
        pad_.select_text(character);
    });
}

void PadView::show_info_strip(bool on) {
    info_shown_ = on;
    laid_out_ = QSize();
    show_player();
}

void PadView::show_character_info() {
    if (!info_shown_) {
        return;
    }
    const std::optional<CharInfo> info = pad_.character_info();
    if (!info) {
        info_strip_->clear();
        return;
    }
    info_strip_->show_text(
        info_strip_text(*info, pad_.counts_taiwan_strokes(),
                        [this](const char* key) { return pad_.text(QString::fromLatin1(key)); }));
}

void PadView::build_panel() {
    const PadSettings& settings = pad_.settings();
    TrackBar1_ = make_slider(Panel1_, "TrackBar1", pen_speed_range, settings.pen_speed);
    TrackBar2_ = make_slider(Panel1_, "TrackBar2", stroke_interval_range, settings.stroke_interval);
    TrackBar1_->installEventFilter(this);
    TrackBar2_->installEventFilter(this);
    connect(TrackBar1_, &QSlider::valueChanged, this,
            [this](int value) { pad_.set_pen_speed(value); });
    connect(TrackBar2_, &QSlider::valueChanged, this,
            [this](int value) { pad_.set_stroke_interval(value); });

    const std::array<std::function<void()>, pad_button_count> actions = {
        [this] { pad_.toggle_grey_first(); },  [this] { pad_.toggle_two_color(); },
        [this] { pad_.player().replay(); },    [this] { pad_.player().pause(); },
        [this] { pad_.player().stop_play(); }, [this] { toggle_zoom(); }};
    for (int index = 0; index < pad_button_count; ++index) {
        auto* button = new QToolButton(Panel1_);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(index + 1));
        button->setAutoRaise(true);
        button->setIconSize(QSize(20, 20));
        connect(button, &QToolButton::clicked, this,
                [this, action = actions[std::size_t(index)]] { guard_(action); });
        buttons_[std::size_t(index)] = button;
    }

    zi_inputfield1_ = new QLineEdit(Panel1_);
    zi_inputfield1_->setObjectName(QStringLiteral("zi_inputfield1"));
    zi_inputfield1_->setFont(QFont(QStringLiteral("Lucida Sans Unicode"), 14));
    zi_inputfield1_->setAlignment(Qt::AlignCenter);
    zi_inputfield1_->installEventFilter(this);
    connect(zi_inputfield1_, &QLineEdit::returnPressed, this,
            [this] { guard_([this] { zi_inputfield1Enter(); }); });
    connect(zi_inputfield1_, &QLineEdit::textEdited, this, [this](const QString& text) {
        hide_missing_note();
        guard_([&] { offer_readings(text); });
    });
    missing_note_ = make_missing_note(Panel1_);
    missing_note_timer_ = new QTimer(this);
    missing_note_timer_->setSingleShot(true);
    missing_note_timer_->setInterval(missing_note_ms);
    connect(missing_note_timer_, &QTimer::timeout, this, [this] { hide_missing_note(); });
    palette_view_ = new PaletteView(Panel1_);
    palette_view_->on_pick = [this](std::int32_t colour, bool pressed) {
        guard_([&] { pad_.pick_colour(colour, pressed); });
    };
    palette_view_->on_swatch_pressed = [this] {
        guard_([this] {
            if (const std::optional<std::int32_t> colour = pad_.choose_colour()) {
                palette_view_->take_colour(*colour);
            }
        });
    };
}

void PadView::show_player() {
    player_widget_->show_player(&pad_.player());
    const QSize size = pad_.player().pad_size();
    if (size != laid_out_) {
        add_writing_pad(size);
    }
    show_mainland_note();
    show_character_info();
}

// A hidden note is not measured: its small face would be loaded for nothing. It is measured
// and placed whenever a character that keeps the mainland's form is shown.
void PadView::show_mainland_note() {
    mainland_note_->setText(pad_.text(QString::fromLatin1(text_key::mainland_form_note)));
    const bool shown = pad_.shows_mainland_form();
    if (shown) {
        style_before_showing(*mainland_note_, mainland_note_style);
        mainland_note_->adjustSize();
        mainland_note_->move(player_widget_->width() - mainland_note_->width() - note_margin,
                             player_widget_->height() - mainland_note_->height() - note_margin);
    }
    mainland_note_->setVisible(shown);
}

void PadView::add_writing_pad(QSize pad) {
    const PadLayout layout =
        lay_out_pad(pad.width(), pad.height(), !palette_.isNull(), info_shown_);
    const QDir installation(pad_.program_folder());
    player_widget_->setGeometry(layout.player);
    Panel1_->setGeometry(layout.panel);
    Image4_->setGeometry(QRect(QPoint(0, 0), layout.panel.size()));
    TrackBar1_->setGeometry(layout.pen_speed_slider);
    TrackBar2_->setGeometry(layout.interval_slider);
    for (int index = 0; index < pad_button_count; ++index) {
        QString picture = QString::fromLatin1(button_pictures[index]);
        if (index == pad_button_count - 1 && !pad_.can_magnify()) {
            picture = QStringLiteral("shrink.bmp");
        }
        buttons_[std::size_t(index)]->setGeometry(layout.buttons[std::size_t(index)]);
        buttons_[std::size_t(index)]->setIcon(QIcon(QPixmap(installation.filePath(picture))));
    }
    zi_inputfield1_->setGeometry(layout.character_field);
    palette_view_->lay_out(layout, palette_);
    info_strip_->setGeometry(layout.info_strip);
    info_strip_->setVisible(info_shown_);
    setFixedSize(layout.window);
    laid_out_ = pad;
    if (on_resized) {
        on_resized();
    }
}

void PadView::sync_sliders() {
    const QSignalBlocker block_speed(TrackBar1_);
    const QSignalBlocker block_interval(TrackBar2_);
    TrackBar1_->setValue(pad_.settings().pen_speed);
    TrackBar2_->setValue(pad_.settings().stroke_interval);
}

void PadView::zi_inputfield1Enter() {
    hide_missing_note();
    hide_reading_list();
    const QString text = zi_inputfield1_->text();
    if (pad_.select_text(text)) {
        return;
    }
    // A reading typed and entered writes its most common character.
    const std::vector<CharInfo> read_as = pad_.characters_read_as(text, 1);
    if (!read_as.empty()) {
        const QString character = QString::fromUcs4(&read_as.front().character, 1);
        zi_inputfield1_->setText(character);
        pad_.select_text(character);
    } else if (!text.trimmed().isEmpty()) {
        show_missing_note();
    }
}

// Just above the field, its right edge at the field's, so that it stays inside the panel.
void PadView::show_missing_note() {
    const QString note = pad_.text(QString::fromLatin1(text_key::not_in_library_note));
    if (note.isEmpty()) {
        return;  // a user's language file without the text
    }
    missing_note_->setText(note);
    style_before_showing(*missing_note_, missing_note_style);
    missing_note_->adjustSize();
    const QRect field = zi_inputfield1_->geometry();
    missing_note_->move(std::max(0, field.right() + 1 - missing_note_->width()),
                        std::max(0, field.top() - missing_note_->height() - note_margin));
    missing_note_->raise();
    missing_note_->show();
    missing_note_timer_->start();
}

void PadView::hide_missing_note() {
    missing_note_timer_->stop();
    missing_note_->hide();
}

bool PadView::shows_missing_note() const {
    return !missing_note_->isHidden();
}

void PadView::toggle_zoom() {
    pad_.toggle_zoom(screen_height_);
}

void PadView::hide_reading_list() {
    if (reading_list_ != nullptr) {
        reading_list_->popup()->hide();
    }
}

bool PadView::eventFilter(QObject* watched, QEvent* event) {
    if (reading_list_ != nullptr && watched == reading_list_->popup() &&
        event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex chosen = reading_list_->popup()->currentIndex();
            if (chosen.isValid()) {
                write_offered(chosen.data(Qt::UserRole).toString());
            } else {
                guard_([this] { zi_inputfield1Enter(); });
            }
            return true;
        }
    }
    if (watched == zi_inputfield1_ && event->type() == QEvent::MouseButtonRelease) {
        zi_inputfield1_->selectAll();
    }
    if (watched == zi_inputfield1_ && event->type() == QEvent::FocusIn) {
        pad_.prepare_reading_search();
    }
    // A focused slider keeps the keys that move it, as the character field keeps its own; the
    // lesson's shortcuts take them while the pad or a button has the focus.
    if ((watched == TrackBar1_ || watched == TrackBar2_) &&
        event->type() == QEvent::ShortcutOverride &&
        moves_slider(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace inkwren
