#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

#include <tuple>

#include "output/step_by_step_window.h"

namespace inkwren {
namespace {

const QList<QColor> colours{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};

QImage picture(QColor colour, int width = 40, int height = 30) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

class StepByStepWindowTest : public ::testing::Test {
protected:
    // Five pictures told apart by their colour, the animation at the sheet's bottom left.
    void show(QSize sheet) {
        std::vector<QImage> pictures;
        for (const QColor& colour : colours) {
            pictures.push_back(picture(colour));
        }
        window.set_frames(pictures);
        window.show_sheet(picture(Qt::white, sheet.width(), sheet.height()),
                          QPoint(0, sheet.height() - 30));
    }
    void TearDown() override { window.hide(); }

    // Which picture Image2 shows after each of the next ticks, 1 to 5 by the colour inside the
    // frame; 0 for none.
    std::vector<int> shown_over_ticks(int ticks) {
        std::vector<int> shown;
        for (int tick = 0; tick < ticks; ++tick) {
            window.Timer1Timer();
            const QImage image = window.image2()->pixmap().toImage();
            shown.push_back(image.isNull() ? 0 : int(colours.indexOf(image.pixelColor(5, 5))) + 1);
        }
        return shown;
    }

    TForm9 window;
};

// Every picture gets a black frame on its edge and they loop every 900 ms; a second sheet
// restarts them at the first picture at the clicked speed; closing only hides.
TEST_F(StepByStepWindowTest, TheSheetIsShownWithItsPicturesLoopingBelowAtTheClickedSpeed) {
    EXPECT_EQ(shown_over_ticks(1).back(), 0);  // no pictures yet
    show({200, 120});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Step-by-step Stroke  Order"));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.size(), QSize(202, 123));
    EXPECT_EQ(window.image1()->geometry(), QRect(0, 0, 200, 120));
    EXPECT_EQ(window.timer()->interval(), 900);
    EXPECT_EQ(shown_over_ticks(6), (std::vector<int>{1, 2, 3, 4, 5, 1}));
    EXPECT_EQ(window.image2()->geometry(), QRect(0, 90, 40, 30));
    const QImage& first = window.frames().front();
    for (const QPoint edge : {QPoint(0, 0), QPoint(39, 29), QPoint(20, 0), QPoint(0, 15)}) {
        EXPECT_EQ(first.pixelColor(edge), QColor(Qt::black)) << edge.x() << "," << edge.y();
    }
    EXPECT_EQ(first.pixelColor(1, 1), QColor(Qt::red));
    window.close();
    EXPECT_FALSE(window.isVisible());

    window.Image2MouseDown(Qt::LeftButton);
    window.Image2MouseDown(Qt::LeftButton);
    show({300, 150});
    EXPECT_TRUE(window.isVisible() && window.timer()->isActive());
    EXPECT_EQ(window.timer()->interval(), 700);
    EXPECT_EQ(window.size(), QSize(302, 153));
    EXPECT_EQ(shown_over_ticks(1).back(), 1);

    // A sheet far wider than the screen is shown, animation and all, at half its size.
    show({3000, 300});
    EXPECT_EQ(window.image1()->size(), QSize(1500, 150));
    EXPECT_EQ(window.image2()->geometry().topLeft(), QPoint(0, 135));

    // Left clicks play faster down to 100 ms and right ones slower.
    window.Image2MouseDown(Qt::LeftButton);
    EXPECT_EQ(window.timer()->interval(), 600);
    // A press of the right button on the animation.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.image2(), &press);
    EXPECT_EQ(window.timer()->interval(), 700);
    // The left button among others still plays faster.
    window.Image2MouseDown(Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.timer()->interval(), 600);
    for (int click = 0; click < 12; ++click) {
        window.Image2MouseDown(Qt::LeftButton);
    }
    EXPECT_EQ(window.timer()->interval(), 100);
}

// A sheet larger than the screen's area shrinks to fit it, down to half its size, and scrolls
// beyond that (sheet, scale, window on 800 × 600 with 15-pixel scroll bars).
TEST(StepWindowFit, TheSheetShrinksToTheScreenThenScrolls) {
    const std::tuple<QSize, double, QSize> cases[] = {{{798, 597}, 1.0, {800, 600}},
                                                      {{1000, 300}, 0.798, {800, 242}},
                                                      {{3000, 300}, 0.5, {800, 168}},
                                                      {{400, 2000}, 0.5, {217, 600}}};
    for (const auto& [sheet, scale, window] : cases) {
        const StepWindowFit fit = fit_step_window(sheet, {800, 600}, 15);
        EXPECT_DOUBLE_EQ(fit.scale, scale) << sheet.width();
        EXPECT_EQ(fit.window, window) << sheet.width();
    }
}

}  // namespace
}  // namespace inkwren
