#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTest>

#include "app/practice_log.h"
#include "langtable/text_keys.h"
#include "pad/practice_mode.h"
#include "practice/median.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using PracticeWindowTest = testing::WindowTest;

// The mouse writes through the points (pad pixels) with the left button held.
void write_on(QWidget* pad, const std::vector<QPointF>& points) {
    QTest::mousePress(pad, Qt::LeftButton, {}, points.front().toPoint());
    for (const QPointF& at : points) {
        QMouseEvent move(QEvent::MouseMove, at, pad->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(pad, &move);
    }
    QTest::mouseRelease(pad, Qt::LeftButton, {}, points.back().toPoint());
}

// A tablet's pen writes through the points; its pressure is not looked at.
void write_with_pen(QWidget* pad, const std::vector<QPointF>& points) {
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        QTabletEvent event(type, QPointingDevice::primaryPointingDevice(), at, pad->mapToGlobal(at),
                           0.5, 0, 0, 0, 0, 0, Qt::NoModifier, Qt::LeftButton, held);
        QCoreApplication::sendEvent(pad, &event);
    };
    send(QEvent::TabletPress, points.front(), Qt::LeftButton);
    for (const QPointF& at : points) {
        send(QEvent::TabletMove, at, Qt::LeftButton);
    }
    send(QEvent::TabletRelease, points.back(), Qt::NoButton);
}

// The stroke's median as a mouse gives it, in pad pixels.
std::vector<QPointF> along_stroke(const TAnimationPlayer& player, int stroke) {
    const double scale = player.settings().scale;
    const std::vector<Median> medians = medians_of(player.lines(), scale);
    std::vector<QPointF> points;
    for (const QPointF& em : medians[std::size_t(stroke)]) {
        points.push_back(pad_point_of_em(em, scale));
    }
    return points;
}

int pixels_of(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Real mouse and tablet events on the pad: a wrong stroke is counted and told, the third brings the
// hint, the right one is drawn as the character's stroke, and the finished character goes to the
// log.
TEST_F(PracticeWindowTest, StrokesWrittenWithTheMouseAreJudgedHintedAndLogged) {
    window->clipboard_changed(QStringLiteral("永"));
    item("N74")->trigger();
    ASSERT_NE(window->pad().practice(), nullptr);
    QWidget* pad = window->findChild<QWidget*>(QStringLiteral("PlayerWidget"));
    const TAnimationPlayer& player = window->pad().player();
    const PracticeMode& practice = *window->pad().practice();

    const std::vector<QPointF> scribble = {{150, 180}, {170, 181}, {190, 182}};
    for (int tries = 1; tries <= 3; ++tries) {
        write_on(pad, scribble);
    }
    EXPECT_EQ(practice.session().mistakes().front(), 3);
    EXPECT_TRUE(practice.session().hinting());
    // On the pad's timer the stroke turned down fades away and the hint is played in blue.
    PracticeMode& animated = *window->pad().practice();
    EXPECT_EQ(animated.fading_ink().size(), qsizetype(scribble.size()));
    const int hint_begun = pixels_of(player.image(), qRgb(0, 0, 255));
    int steps = 1;
    while (animated.animation_step()) {
        ++steps;
    }
    EXPECT_EQ(steps, 10);
    EXPECT_TRUE(animated.fading_ink().isEmpty());
    EXPECT_GT(pixels_of(player.image(), qRgb(0, 0, 255)), hint_begun);
    EXPECT_EQ(practice.note(), window->shell().text(text_key::practice_hint_note).arg(1));

    const QImage before = player.image();
    write_on(pad, along_stroke(player, 0));
    EXPECT_EQ(practice.session().expected(), 1);
    EXPECT_EQ(pixels_of(player.image(), qRgb(0, 0, 255)), 0);
    EXPECT_NE(player.image(), before);
    write_with_pen(pad, along_stroke(player, 1));
    EXPECT_EQ(practice.session().expected(), 2);
    for (int stroke = 2; stroke < practice.session().stroke_count(); ++stroke) {
        write_on(pad, along_stroke(player, stroke));
    }
    ASSERT_TRUE(practice.finished());
    EXPECT_TRUE(practice.note().contains(
        window->shell().text(text_key::practice_stroke_mistakes).arg(1).arg(3)));
    // The finished character flashes blue and ends in ink.
    ASSERT_TRUE(practice.flashing());
    window->pad().practice()->animation_step();
    EXPECT_GT(pixels_of(player.image(), qRgb(0, 0, 255)), 0);
    while (window->pad().practice()->animation_step()) {
    }
    EXPECT_EQ(pixels_of(player.image(), qRgb(0, 0, 255)), 0);
    const std::vector<PracticeRecord> log = read_practice_log(file("practice.log"));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].character, QStringLiteral("永"));
    EXPECT_EQ(log[0].mistakes.front(), 3);
    EXPECT_EQ(log[0].total_mistakes(), 3);

    item("N79")->trigger();  // Esc
    EXPECT_EQ(window->pad().practice(), nullptr);

    // The hint after one mistake, kept in view.cfg.
    item("N83")->trigger();
    item("N74")->trigger();
    write_on(pad, scribble);
    EXPECT_TRUE(window->pad().practice()->session().hinting());
    EXPECT_TRUE(testing::read_file(file("view.cfg")).contains("practice_hint_after=1"));
}

// The review lists the characters whose last writing had mistakes; it queues them for practice
// one after another, or prints them on a worksheet through the exporter's code.
TEST_F(PracticeWindowTest, TheReviewQueuesTheMistakenCharactersOrPrintsThem) {
    testing::write_file(file("practice.log"),
                        "2026-12-07T09:00:00Z\t我\t7\t0,0,0,0,0,0,0\t30\t1\n"
                        "2026-12-07T09:01:00Z\t國\t11\t2,0,0,0,0,0,0,0,0,0,1\t50\t1\n"
                        "2026-12-07T09:02:00Z\t永\t5\t1,0,0,0,0\t20\t1\n");
    dialogs.review_answers = {ReviewAnswer::first_action, ReviewAnswer::second_action};
    item("N80")->trigger();
    ASSERT_EQ(dialogs.reviews.size(), 1);
    EXPECT_EQ(dialogs.reviews[0].lines.size(), 2);  // 永, then 國; not 我
    EXPECT_TRUE(dialogs.reviews[0].lines[0].startsWith(QStringLiteral("永")));
    ASSERT_NE(window->pad().practice(), nullptr);
    EXPECT_EQ(window->pad().player().zi(), QStringLiteral("永"));
    // Finished, the next pen down brings 國.
    QWidget* pad = window->findChild<QWidget*>(QStringLiteral("PlayerWidget"));
    for (int stroke = 0; stroke < 5; ++stroke) {
        window->pad().skip_practice_stroke();
    }
    write_on(pad, {{150, 180}, {190, 182}});
    EXPECT_EQ(window->pad().player().zi(), QStringLiteral("國"));

    const QString out = folder.file("練習簿");
    QDir().mkpath(out);
    dialogs.folders = {out};
    item("N80")->trigger();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/worksheet.pdf")));
    EXPECT_TRUE(dialogs.shown.back().text.contains(QStringLiteral("worksheet.pdf")));
}

}  // namespace
}  // namespace inkwren
