// The colour palette under the pad and the swatch beside it: pressing or dragging over the
// palette picks the colour under the mouse, which the swatch shows.
#pragma once

#include <QImage>
#include <QObject>

#include <cstdint>
#include <functional>

class QLabel;
class QWidget;

namespace inkwren {

struct PadLayout;

class PaletteView : public QObject {
public:
    explicit PaletteView(QWidget* panel);

    // Shows the palette where the layout puts it, or hides everything without one.
    void lay_out(const PadLayout& layout, const QImage& palette);

    // Called with the picked colour; the pressed flag tells a press from a drag.
    std::function<void(std::int32_t colour, bool pressed)> on_pick;
    // A press on the swatch, which opens the colour chooser.
    std::function<void()> on_swatch_pressed;
    // A colour from the chooser, taken as a press on the palette would take it.
    void take_colour(std::int32_t colour);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pick(QPoint at, bool pressed);
    void picked(std::int32_t colour, bool pressed);
    void show_swatch();

    QLabel* Image2_;  // the palette
    QLabel* Image3_;  // the swatch
    QLabel* Bevel1_;  // the palette's frame
    QImage palette_;
    std::int32_t pick_color_ = 0;
};

}  // namespace inkwren
