#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>

#include <algorithm>
#include <list>
#include <memory>

#include "app/qt_dialogs.h"
#include "app/single_instance.h"
#include "platform/error.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::run_events_until;
using testing::TempFolder;

// Counts the connections a server took (its children) and how many are deleted since.
class Connections : public QObject {
public:
    explicit Connections(InstanceServer& server) { server.installEventFilter(this); }

    bool all_gone(int count) const { return taken == count && gone == count; }

    int taken = 0;
    int gone = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        taken += event->type() == QEvent::ChildAdded;
        gone += event->type() == QEvent::ChildRemoved;
        return false;
    }
};

class SingleInstanceTest : public ::testing::Test {
protected:
    TempFolder folder;
    InstancePaths paths = instance_paths(folder.path(), folder.file(QStringLiteral("設定.ini")));
    QStringList received;
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsCharacterToTheRunningOneWhichTakesItOnceReady) {
    EXPECT_FALSE(hand_over(paths.socket, QStringLiteral("永")));  // nobody runs yet
    InstanceServer running(paths.socket);
    Connections connections(running);
    ASSERT_TRUE(hand_over(paths.socket, QStringLiteral("國")));
    ASSERT_TRUE(hand_over(paths.socket, QString()));
    // What arrives before the window exists waits for it.
    ASSERT_TRUE(run_events_until([&] { return connections.all_gone(2); }));
    running.deliver_to([&](const QString& text) { received << text; });
    EXPECT_TRUE(run_events_until([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (QStringList{QStringLiteral("國"), QString()}));
}

// A start that waits on an instance that dies meanwhile takes its place, over the socket file
// the dead one left.
TEST_F(SingleInstanceTest, AStartWaitingOnAnInstanceThatDiedTakesItsPlace) {
    testing::write_file(paths.socket, "");
    std::optional<FileLock> dying = FileLock::try_take(paths.lock);
    ASSERT_TRUE(dying);
    int waits = 0;
    const std::optional<FileLock> won =
        become_instance_or_hand_over(paths, QStringLiteral("永"), [&] {
            ++waits;
            dying.reset();
        });
    ASSERT_TRUE(won);
    EXPECT_EQ(waits, 1);
    InstanceServer running(paths.socket);
    running.deliver_to([&](const QString& text) { received << text; });
    ASSERT_TRUE(hand_over(paths.socket, QStringLiteral("國")));
    EXPECT_TRUE(run_events_until([&] { return received.size() == 1; }));
}

// The receiver's question runs its own event loop, which sees the hand-over's socket close and
// deletes it; the server used to go on reading from it afterwards.
TEST_F(SingleInstanceTest, CrashOnAHandOverDuringAQuestion) {
    InstanceServer running(paths.socket);
    Connections connections(running);
    int open_questions = 0;
    int most_open = 0;
    running.deliver_to([&](const QString& text) {
        received << text;
        most_open = std::max(most_open, ++open_questions);
        if (text == QStringLiteral("國")) {
            // Another start while the question is open.
            EXPECT_TRUE(hand_over(paths.socket, QStringLiteral("永")));
            EXPECT_TRUE(run_events_until([&] { return connections.all_gone(2); }));
            EXPECT_EQ(received.size(), 1) << "handed over on top of the open question";
        }
        --open_questions;
    });
    ASSERT_TRUE(hand_over(paths.socket, QStringLiteral("國")));
    EXPECT_TRUE(run_events_until([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (QStringList{QStringLiteral("國"), QStringLiteral("永")}));
    EXPECT_EQ(most_open, 1);
}

// Both ends check who the other is: the instance belongs to owner, the process is someone else.
TEST_F(SingleInstanceTest, AnotherUsersStartOrInstanceIsNotTalkedTo) {
    {
        InstanceServer someone_elses(paths.socket, ::getuid() + 1);
        Connections connections(someone_elses);
        someone_elses.deliver_to([&](const QString& text) { received << text; });
        hand_over(paths.socket, QStringLiteral("國"));
        ASSERT_TRUE(run_events_until([&] { return connections.all_gone(1); }));
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(received.isEmpty());
    }
    InstanceServer running(paths.socket);
    Connections connections(running);
    running.deliver_to([&](const QString& text) { received << text; });
    EXPECT_THROW(hand_over(paths.socket, QStringLiteral("永"), ::getuid() + 1), Error);
    ASSERT_TRUE(run_events_until([&] { return connections.all_gone(1); }));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(received.isEmpty());
}

// The running window with its hand-overs, and its boxes holding their own event loops.
class RunningWindowTest : public testing::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        window = start();
        ASSERT_TRUE(window);
        server = std::make_unique<InstanceServer>(paths.socket);
        connections = std::make_unique<Connections>(*server);
        server->deliver_to([this](const QString& text) { window->take_handed_over(text); });
    }

    // Each box stays open until every hand-over so far is done with its socket, as one the user
    // takes a while to answer.
    void keep_boxes_open_until_sockets_are_gone() {
        dialogs.while_open = [this] {
            EXPECT_TRUE(run_events_until([this] { return connections->all_gone(handed_over); }));
        };
    }

    void hand(const QString& text) {
        ASSERT_TRUE(hand_over(paths.socket, text));
        ++handed_over;
    }

    InstancePaths paths = instance_paths(folder.path(), folder.file("registry.ini"));
    std::unique_ptr<TForm1> window;
    std::unique_ptr<InstanceServer> server;
    std::unique_ptr<Connections> connections;
    int handed_over = 0;
};

TEST_F(RunningWindowTest, CrashWhenTheUserFolderIsRemovedWhileRunning) {
    keep_boxes_open_until_sockets_are_gone();
    ASSERT_TRUE(QDir(installation).removeRecursively());
    hand(QStringLiteral("國"));
    ASSERT_TRUE(run_events_until([&] { return !dialogs.shown.isEmpty(); }));
    EXPECT_TRUE(dialogs.shown.front().text.contains(QStringLiteral("cannot be opened")))
        << dialogs.shown.front().text.toStdString();
    // Typed and copied characters get the same message.
    window->character_field()->setText(QStringLiteral("我"));
    emit window->character_field()->returnPressed();
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_EQ(dialogs.shown.size(), 3);
}

TEST_F(RunningWindowTest, AHandOverWhileAQuestionIsOpenWaitsForItsAnswer) {
    window->clipboard_changed(QStringLiteral("永"));
    window->pad().set_modified(true);
    dialogs.answers = {false};
    QString shown_during_question;
    dialogs.while_open = [&] {
        dialogs.while_open = nullptr;
        hand(QStringLiteral("國"));
        EXPECT_TRUE(run_events_until([&] { return connections->all_gone(1); }));
        shown_during_question = window->pad().cur_text();
    };
    window->clipboard_changed(QStringLiteral("我"));  // a copy in another program
    EXPECT_EQ(shown_during_question, QStringLiteral("永"));
    EXPECT_TRUE(run_events_until([&] { return window->pad().cur_text() == QStringLiteral("國"); }));
    EXPECT_EQ(dialogs.shown.size(), 1) << "a second question was opened on the first";
}

// An empty hand-over brings the window forward. Raising the window for a hand-over put it over
// the question it was asking, where no window manager keeps a question above its window.
TEST_F(RunningWindowTest, AHandOverLeavesAnOpenQuestionAboveTheWindow) {
    window->showMinimized();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(run_events_until([&] { return QApplication::activeWindow() == &elsewhere; }));
    hand(QString());
    EXPECT_TRUE(run_events_until([&] { return QApplication::activeWindow() == window.get(); }));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    QDialog question(window.get());
    question.setModal(true);
    question.show();
    ASSERT_TRUE(run_events_until([&] { return QApplication::activeModalWidget() == &question; }));
    window->activateWindow();
    hand(QString());
    EXPECT_TRUE(run_events_until([&] { return QApplication::activeWindow() == &question; }));
}

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

    dialogs.bring_window_forward();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(run_events_until([&] { return QApplication::activeWindow() == &window; }));
}

// ---- Starts of the program itself

// One start of the real program, with what it printed so far.
struct Start {
    QProcess process;
    QString output;
};

// The real program on the small installation, with a runtime and settings folder of its own.
class SimultaneousStartsTest : public testing::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        const QString runtime = folder.path() + QStringLiteral("運行");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString config = folder.path() + QStringLiteral("設定");
        QDir().mkpath(config + QStringLiteral("/inkwren"));
        QFile::copy(folder.file("registry.ini"), config + QStringLiteral("/inkwren/registry.ini"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.path() + QStringLiteral("資料"));
        environment.insert(QStringLiteral("INKWREN_REPORT_HANDOVER"), QStringLiteral("1"));
    }

    void TearDown() override { stop_all(); }

    void stop_all() {
        for (Start& start : starts) {
            start.process.kill();
            start.process.waitForFinished();
        }
        starts.clear();
    }

    QProcess& start(const QString& character) {
        QProcess& process = starts.emplace_back().process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(installation);
        process.start(QStringLiteral(INKWREN_PROGRAM), {character});
        return process;
    }

    // How many lines the starts printed so far hold part, and how many starts still run.
    int printed(const QString& part) {
        int lines = 0;
        for (Start& each : starts) {
            each.output += QString::fromUtf8(each.process.readAllStandardOutput());
            lines += int(each.output.split(u'\n').filter(part).size());
        }
        return lines;
    }
    int running() const {
        return int(std::ranges::count_if(starts, [](const Start& each) {
            return each.process.state() != QProcess::NotRunning;
        }));
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::list<Start> starts;
};

TEST_F(SimultaneousStartsTest, StartsAtOnceLeaveOneWindowAndHandTheirCharactersToIt) {
    for (const bool staggered : {false, true}) {
        SCOPED_TRACE(staggered ? "each once the one before has started" : "all at once");
        stop_all();
        for (const QString& character : {QStringLiteral("永"), QStringLiteral("國"),
                                         QStringLiteral("我"), QStringLiteral("国")}) {
            QProcess& started = start(character);
            if (staggered) {
                ASSERT_TRUE(started.waitForStarted());
            }
        }
        // Done when all but one have ended and that one was handed all their characters, or
        // when more than one listens.
        const QString listening = QStringLiteral("listening");
        ASSERT_TRUE(run_events_until([&] {
            return printed(listening) > 1 || running() == 0 ||
                   (running() == 1 && printed(QStringLiteral("handed over: ")) == 3);
        }));
        EXPECT_EQ(printed(listening), 1);
        EXPECT_EQ(running(), 1);
        for (const Start& each : starts) {
            if (each.process.state() == QProcess::NotRunning) {
                EXPECT_EQ(each.process.exitStatus(), QProcess::NormalExit);
                EXPECT_EQ(each.process.exitCode(), 0) << each.output.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace inkwren
