#include "output/step_by_step_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace inkwren {
namespace {

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

QString speed_hint(int interval_ms) {
    return QStringLiteral("Display speed:") + QString::number(interval_ms) +
           QStringLiteral("ms. Left mouse button: faster; Right button:slower");
}

TForm9::TForm9(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Step-by-step Stroke  Order"));
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->move(0, 0);
    image2_ = new QLabel(this);
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
    resize(sheet.width() + 2, sheet.height() + 3);
    image1_->setPixmap(QPixmap::fromImage(sheet.copy()));
    image1_->setGeometry(0, 0, sheet.width(), sheet.height());
    image2_->move(animation_at);
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
        const QImage& picture = frames_[frame_index_];
        image2_->setPixmap(QPixmap::fromImage(picture));
        image2_->resize(picture.size());
        frame_index_ = (frame_index_ + 1) % int(frames_.size());
    }
    resize(image1_->width() + 2, height());
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
