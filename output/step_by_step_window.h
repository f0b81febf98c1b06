// The step-by-step window: a stroke-order sheet with, below it, its pictures played one after
// another as a slow animation whose speed the mouse changes.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <vector>

class QImage;
class QLabel;
class QScrollArea;
class QTimer;

namespace inkwren {

// How the window shows a sheet on a screen's available area: the sheet scaled down to fit, but
// not below the smallest scale, beyond which the window scrolls; the window never larger than
// the area.
struct StepWindowFit {
    double scale = 1.0;
    QSize window;
};
inline constexpr double smallest_step_scale = 0.5;
StepWindowFit fit_step_window(QSize sheet, QSize available, int scroll_bar_extent);

class TForm9 : public QWidget {
    Q_OBJECT
public:
    static constexpr int initial_interval_ms = 900;
    static constexpr int interval_step_ms = 100;
    static constexpr int shortest_interval_ms = 100;

    explicit TForm9(QWidget* parent = nullptr);

    // The animation's pictures, each copied with a black one-pixel frame on its edge.
    void set_frames(const std::vector<QImage>& pictures);
    // Shows the sheet at the top left and the animation at animation_at, from its first picture,
    // both scaled as the screen needs.
    void show_sheet(const QImage& sheet, QPoint animation_at);

    // The timer's handler: the next picture, round and round.
    void Timer1Timer();
    // A press on the animation: the left button plays faster, any other slower.
    void Image2MouseDown(Qt::MouseButtons buttons);

    QLabel* image1() const { return image1_; }
    QLabel* image2() const { return image2_; }
    QTimer* timer() const { return timer1_; }
    QScrollArea* scroll_area() const { return scroll_; }
    const std::vector<QImage>& frames() const { return frames_; }
    int frame_index() const { return frame_index_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QImage scaled(const QImage& picture) const;
    QSize available_area() const;

    QScrollArea* scroll_;
    QLabel* image1_;
    QLabel* image2_;
    QTimer* timer1_;
    std::vector<QImage> frames_;
    int frame_index_ = 0;
    StepWindowFit fit_;
};

// The hint the animation shows for an interval.
QString speed_hint(int interval_ms);

}  // namespace inkwren
