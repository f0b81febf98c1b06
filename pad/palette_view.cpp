#include "pad/palette_view.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "animation/raster.h"
#include "pad/pad_layout.h"

namespace inkwren {

PaletteView::PaletteView(QWidget* panel)
    : QObject(panel),
      Image2_(new QLabel(panel)),
      Image3_(new QLabel(panel)),
      Bevel1_(new QLabel(panel)) {
    Bevel1_->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image2_->setObjectName(QStringLiteral("Image2"));
    Image3_->setObjectName(QStringLiteral("Image3"));
    Image2_->installEventFilter(this);
    Image3_->installEventFilter(this);
    Bevel1_->lower();
}

void PaletteView::lay_out(const PadLayout& layout, const QImage& palette) {
    palette_ = palette;
    const bool shown = !palette.isNull();
    for (QLabel* label : {Image2_, Image3_, Bevel1_}) {
        label->setVisible(shown);
    }
    if (!shown) {
        return;
    }
    Image2_->setGeometry(layout.palette);
    Image2_->setPixmap(QPixmap::fromImage(palette_));
    Bevel1_->setGeometry(layout.bevel);
    Image3_->setGeometry(layout.swatch);
    show_swatch();
}

void PaletteView::show_swatch() {
    QImage swatch = make_bitmap(30, 30, pick_color_);
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 29, 29);
    painter.end();
    Image3_->setPixmap(QPixmap::fromImage(swatch));
}

void PaletteView::pick(QPoint at, bool pressed) {
    if (!palette_.rect().contains(at)) {
        return;
    }
    picked(color_at(palette_, at.x(), at.y()), pressed);
}

void PaletteView::take_colour(std::int32_t colour) {
    picked(colour, true);
}

void PaletteView::picked(std::int32_t colour, bool pressed) {
    pick_color_ = colour;
    show_swatch();
    if (on_pick) {
        on_pick(pick_color_, pressed);
    }
}

bool PaletteView::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == Image3_ && press && on_swatch_pressed) {
        on_swatch_pressed();
        return true;
    }
    if (watched != Image2_) {
        return false;
    }
    if (press || event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (press || (mouse->buttons() & Qt::LeftButton)) {
            pick(mouse->position().toPoint(), press);
        }
    }
    return false;
}

}  // namespace inkwren
