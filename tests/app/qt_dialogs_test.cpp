#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>

#include "app/qt_dialogs.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::run_events_until;

// A copy in another program raised the unsaved-edit question while that program was in front;
// the box belonged to no window and stayed behind it.
TEST(QtDialogs, AQuestionFromACopyElsewhereHidBehindThatProgram) {
    QMainWindow window;
    QtDialogs dialogs;
    dialogs.set_window(&window);
    window.show();
    QWidget elsewhere;  // the program the copy was made in
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(run_events_until([&] { return QApplication::activeWindow() == &elsewhere; }));
    window.showMinimized();

    const std::unique_ptr<QMessageBox> box =
        dialogs.message_box(QMessageBox::Question, QStringLiteral("筆順"),
                            QStringLiteral("儲存自訂字嗎？"), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->parentWidget(), &window);
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(box->text(), QStringLiteral("儲存自訂字嗎？"));

    dialogs.bring_window_forward();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(run_events_until([&] { return QApplication::activeWindow() == &window; }));
}

TEST(QtDialogs, BoxesBeforeTheWindowExistsStillComeOnTop) {
    QtDialogs dialogs;
    const std::unique_ptr<QMessageBox> box =
        dialogs.message_box(QMessageBox::Information, QStringLiteral("Inkwren"),
                            QStringLiteral("缺少檔案"), QMessageBox::Ok);
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialogs.bring_window_forward();  // nothing to bring
    // The window may go before the dialogs do.
    {
        QWidget window;
        dialogs.set_window(&window);
    }
    dialogs.bring_window_forward();
    EXPECT_EQ(dialogs.message_box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok)
                  ->parentWidget(),
              nullptr);
}

}  // namespace
}  // namespace inkwren
