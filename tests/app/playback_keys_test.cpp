#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

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
    int speed() const { return window->pad().settings().pen_speed; }
    int slider() const { return window->findChild<QSlider*>(QStringLiteral("TrackBar1"))->value(); }

    // A key as the user presses it, to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(PlaybackKeysTest, ThePlaybackItemsHaveTheirKeysAndCaptionsInEveryLanguage) {
    const struct {
        const char* name;
        Qt::Key key;
        const char* captions[3];  // Traditional, Simplified, English
    } items[] = {
        {"N55", Qt::Key_unknown, {"播放", "播放", "Playback"}},
        {"N56", Qt::Key_Space, {"播放/暫停", "播放/暂停", "Play / Pause"}},
        {"N57", Qt::Key_Right, {"下一筆", "下一笔", "Next Stroke"}},
        {"N58", Qt::Key_Left, {"上一筆", "上一笔", "Previous Stroke"}},
        {"N59", Qt::Key_Home, {"不顯示筆劃", "不显示笔画", "No Strokes"}},
        {"N60", Qt::Key_End, {"顯示全字", "显示全字", "Whole Character"}},
        {"N61", Qt::Key_L, {"循環播放", "循环播放", "Loop"}},
        {"N62", Qt::Key_Plus, {"加快", "加快", "Faster"}},
        {"N63", Qt::Key_Minus, {"減慢", "减慢", "Slower"}},
    };
    const char* languages[] = {"N31", "N32", "N33"};
    for (int language = 0; language < 3; ++language) {
        item(languages[language])->trigger();
        for (const auto& expected : items) {
            SCOPED_TRACE(expected.name);
            EXPECT_EQ(item(expected.name)->text(), QString::fromUtf8(expected.captions[language]));
            EXPECT_EQ(item(expected.name)->shortcut(), expected.key == Qt::Key_unknown
                                                           ? QKeySequence()
                                                           : QKeySequence(expected.key));
        }
    }
}

TEST_F(PlaybackKeysTest, KeysOnThePadStepPlayLoopAndSetThePenSpeed) {
    press(Qt::Key_Home);
    EXPECT_FALSE(player().playing());
    EXPECT_EQ(player().shown_strokes(), 0);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Left);
    EXPECT_EQ(player().shown_strokes(), 1);
    press(Qt::Key_End);
    EXPECT_EQ(player().shown_strokes(), 5);
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
    EXPECT_EQ(player().shown_strokes(), 5);
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
        EXPECT_EQ(player().shown_strokes(), 5);
    }
    EXPECT_EQ(speed(), slider());
    // The lesson's own keys still work from a slider.
    press(Qt::Key_L);
    EXPECT_TRUE(window->pad().settings().loop_lesson);
}

}  // namespace
}  // namespace inkwren
