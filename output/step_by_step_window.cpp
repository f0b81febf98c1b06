#include "output/step_by_step_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace inkwren {
namespace {

// The window's margins around the sheet.
const QSize window_margins(2, 3);

QSize scaled_size(QSize size, double scale) {
    return {int(std::lround(size.width() * scale)), int(std::lround(size.height() * scale))};
}

QImage framed(const QImage& picture) {
    QImage copy = picture.copy();
    if (copy.isNull()) {
        return copy;
    }
    QPainter painter(&copy);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, copy.width() - 1, copy.height() - 1);
    return copy;
}

}  // namespace

StepWindowFit fit_step_window(QSize sheet, QSize available, int scroll_bar_extent) {
    const QSize room = available - window_margins;
    const double fitting = std::min({1.0, double(room.width()) / std::max(sheet.width(), 1),
                                     double(room.height()) / std::max(sheet.height(), 1)});
    StepWindowFit fit;
    fit.scale = std::max(fitting, smallest_step_scale);
    QSize window = scaled_size(sheet, fit.scale) + window_margins;
    // A scroll bar takes room across the way it scrolls.
    if (window.width() > available.width()) {
        window.rheight() += scroll_bar_extent;
    }
    if (window.height() > available.height()) {
        window.rwidth() += scroll_bar_extent;
    }
    fit.window = window.boundedTo(available);
    return fit;
}

QString speed_hint(int interval_ms) {
    return QStringLiteral("Display speed:") + QString::number(interval_ms) +
           QStringLiteral("ms. Left mouse button: faster; Right button:slower");
}

TForm9::TForm9(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Step-by-step Stroke  Order"));
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    auto* content = new QWidget;
    scroll_->setWidget(content);
    image1_ = new QLabel(content);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->move(0, 0);
    image2_ = new QLabel(content);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->installEventFilter(this);
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(initial_interval_ms);
    image2_->setToolTip(speed_hint(timer1_->interval()));
    connect(timer1_, &QTimer::timeout, this, &TForm9::Timer1Timer);
}

void TForm9::set_frames(const std::vector<QImage>& pictures) {
    frames_.clear();
    frames_.reserve(pictures.size());
    for (const QImage& picture : pictures) {
        frames_.push_back(framed(picture));
    }
}

void TForm9::show_sheet(const QImage& sheet, QPoint animation_at) {
    timer1_->stop();
    frame_index_ = 0;
    // A window of its own that others may cover, unlike the main window.
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (visible) {
        show();
    }
    fit_ = fit_step_window(sheet.size(), available_area(),
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const QImage shown = scaled(sheet);
    resize(fit_.window);
    scroll_->widget()->resize(shown.size());
    image1_->setPixmap(QPixmap::fromImage(shown));
    image1_->setGeometry(0, 0, shown.width(), shown.height());
    image2_->move(std::lround(animation_at.x() * fit_.scale),
                  std::lround(animation_at.y() * fit_.scale));
    image2_->raise();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred = frameGeometry();
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
    show();
    timer1_->start();
}

void TForm9::Timer1Timer() {
    if (frame_index_ >= 0 && frame_index_ < int(frames_.size())) {
        const QImage picture = scaled(frames_[frame_index_]);
        image2_->setPixmap(QPixmap::fromImage(picture));
        image2_->resize(picture.size());
        frame_index_ = (frame_index_ + 1) % int(frames_.size());
    }
    if (fit_.window.isValid()) {
        resize(fit_.window.width(), height());
    }
}

QImage TForm9::scaled(const QImage& picture) const {
    if (fit_.scale == 1.0) {
        return picture.copy();
    }
    return picture.scaled(scaled_size(picture.size(), fit_.scale), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

// The screen's available area less the window's frame, which its title bar and borders take.
QSize TForm9::available_area() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    }
    QSize area = screen->availableGeometry().size();
    if (const QWindow* handle = windowHandle()) {
        const QMargins frame = handle->frameMargins();
        area -= QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    }
    return area;
}

void TForm9::Image2MouseDown(Qt::MouseButtons buttons) {
    const int step = buttons.testFlag(Qt::LeftButton) ? -interval_step_ms : interval_step_ms;
    timer1_->setInterval(std::max(shortest_interval_ms, timer1_->interval() + step));
    image2_->setToolTip(speed_hint(timer1_->interval()));
}

bool TForm9::eventFilter(QObject* watched, QEvent* event) {
    if (watched == image2_ && event->type() == QEvent::MouseButtonPress) {
        Image2MouseDown(static_cast<QMouseEvent*>(event)->buttons());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Closing only hides the window; the next sheet shows it again.
void TForm9::closeEvent(QCloseEvent* event) {
    timer1_->stop();
    hide();
    event->accept();
}

}  // namespace inkwren
