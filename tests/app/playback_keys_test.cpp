#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "animation/stroke_model.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

class PlaybackKeysTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isActiveWindow());
        // As a click on the pad leaves it.
        window->findChild<QWidget*>(QStringLiteral("Panel1"))->setFocus();
    }

    TAnimationPlayer& player() const { return window->pad().player(); }
    int shown() const {
        return player().lesson().shown(CharacterStrokes(player().lines()).count());
    }
    int speed() const { return window->pad().settings().pen_speed; }
    int slider() const { return window->findChild<QSlider*>(QStringLiteral("TrackBar1"))->value(); }

    // A key as the user presses it, to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(PlaybackKeysTest, KeysOnThePadStepPlayLoopAndSetThePenSpeed) {
    press(Qt::Key_Home);
    EXPECT_FALSE(player().playing());
    EXPECT_EQ(shown(), 0);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Left);
    EXPECT_EQ(shown(), 1);
    press(Qt::Key_End);
    EXPECT_EQ(shown(), 5);
    press(Qt::Key_Space);
    EXPECT_TRUE(player().playtimer().isActive());
    press(Qt::Key_Space);
    EXPECT_FALSE(player().playtimer().isActive());
    press(Qt::Key_L);
    EXPECT_TRUE(item("N61")->isChecked());
    EXPECT_TRUE(window->pad().settings().loop_lesson);

    const int start = speed();
    press(Qt::Key_Plus);
    press(Qt::Key_Equal);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(speed(), start + 2);
    EXPECT_EQ(slider(), start + 2);
    for (int notch = 0; notch <= pen_speed_range.high; ++notch) {
        press(Qt::Key_Minus);
    }
    EXPECT_EQ(slider(), 0);
}

TEST_F(PlaybackKeysTest, KeysTypedIntoTheCharacterFieldStayThere) {
    press(Qt::Key_End);
    const int start = speed();
    QLineEdit* field = window->character_field();
    field->setFocus();
    field->setText(QStringLiteral("我"));
    press(Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral("L+ -="));
    press(Qt::Key_End);
    press(Qt::Key_Left);
    press(Qt::Key_Space);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    press(Qt::Key_Right);
    EXPECT_EQ(field->text(), QStringLiteral("L+ -= +我"));
    EXPECT_EQ(field->cursorPosition(), field->text().size());

    EXPECT_FALSE(player().playing());
    EXPECT_EQ(shown(), 5);
    EXPECT_FALSE(window->pad().settings().loop_lesson);
    EXPECT_EQ(speed(), start);
}

// Since the lesson's keys came, Home, End and the arrows on a focused slider stepped the
// lesson instead of moving the slider.
TEST_F(PlaybackKeysTest, AFocusedSliderKeepsTheKeysThatMoveIt) {
    press(Qt::Key_End);
    for (const char* name : {"TrackBar1", "TrackBar2"}) {
        SCOPED_TRACE(name);
        auto* slider = window->findChild<QSlider*>(QString::fromLatin1(name));
        slider->setFocus();
        slider->setValue(5);
        press(Qt::Key_Home);
        EXPECT_EQ(slider->value(), 0);
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        press(Qt::Key_Left);
        EXPECT_EQ(slider->value(), 1);
        press(Qt::Key_End);
        EXPECT_EQ(slider->value(), slider->maximum());
        EXPECT_EQ(shown(), 5);
    }
    EXPECT_EQ(speed(), slider());
    // The lesson's own keys still work from a slider.
    press(Qt::Key_L);
    EXPECT_TRUE(window->pad().settings().loop_lesson);
}

}  // namespace
}  // namespace inkwren
