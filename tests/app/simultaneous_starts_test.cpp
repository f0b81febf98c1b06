#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include <list>
#include <memory>

#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::run_events_until;
using testing::TempFolder;

// One start of the program, with what it printed so far.
struct Start {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QString output;
    QString character;

    bool running() const { return process->state() != QProcess::NotRunning; }
    bool said(const QString& line) const { return output.split(u'\n').contains(line); }
};

// The real program, on a small installation, with a runtime and settings folder of its own.
class SimultaneousStartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation = folder.path() + QStringLiteral("墨鷦/");
        QDir().mkpath(installation);
        testing::make_installation(installation);
        runtime = folder.path() + QStringLiteral("運行");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        config = folder.path() + QStringLiteral("設定");
        const QString registry = config + QStringLiteral("/inkwren/registry.ini");
        QDir().mkpath(config + QStringLiteral("/inkwren"));
        testing::write_file(registry,
                            "[Software\\Marlowen Technology\\inkwren\\iwren1.0]\n"
                            "installation path=" +
                                installation.toUtf8() + "\n");
    }

    void TearDown() override {
        for (Start& start : starts) {
            start.process->kill();
            start.process->waitForFinished();
        }
    }

    Start& start(const QString& character) {
        starts.emplace_back();
        Start& start = starts.back();
        start.character = character;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.path() + QStringLiteral("資料"));
        environment.insert(QStringLiteral("INKWREN_REPORT_HANDOVER"), QStringLiteral("1"));
        start.process->setProcessEnvironment(environment);
        start.process->setWorkingDirectory(installation);
        QProcess* process = start.process.get();
        QString* output = &start.output;
        QObject::connect(process, &QProcess::readyReadStandardOutput, process, [process, output] {
            *output += QString::fromUtf8(process->readAllStandardOutput());
        });
        process->start(QStringLiteral(INKWREN_PROGRAM), {character});
        return start;
    }

    TempFolder folder;
    QString installation;
    QString runtime;
    QString config;
    std::list<Start> starts;
};

TEST_F(SimultaneousStartsTest, StartsAtOnceLeaveOneWindowAndHandTheirCharactersToIt) {
    const QStringList characters = {QStringLiteral("永"), QStringLiteral("國"),
                                    QStringLiteral("我"), QStringLiteral("国")};
    for (const bool staggered : {false, true}) {
        SCOPED_TRACE(staggered ? "each as soon as the one before has started" : "all at once");
        TearDown();
        starts.clear();
        for (const QString& character : characters) {
            Start& started = start(character);
            if (staggered) {
                ASSERT_TRUE(started.process->waitForStarted());
            }
        }
        // Done when all but one have ended and that one was handed all their characters, or
        // when more than one listens.
        const auto settled = [&] {
            int listening = 0;
            int running = 0;
            int handed = 0;
            for (const Start& each : starts) {
                listening += each.said(QStringLiteral("listening")) ? 1 : 0;
                running += each.running() ? 1 : 0;
                for (const Start& other : starts) {
                    handed += each.said(QStringLiteral("handed over: ") + other.character) ? 1 : 0;
                }
            }
            return listening > 1 || running == 0 ||
                   (running == 1 && handed == int(starts.size()) - 1);
        };
        ASSERT_TRUE(run_events_until(settled));
        int listening = 0;
        for (const Start& each : starts) {
            if (each.running()) {
                EXPECT_TRUE(each.said(QStringLiteral("listening"))) << each.output.toStdString();
                ++listening;
            } else {
                EXPECT_EQ(each.process->exitStatus(), QProcess::NormalExit);
                EXPECT_EQ(each.process->exitCode(), 0);
                EXPECT_FALSE(each.said(QStringLiteral("listening")));
            }
        }
        EXPECT_EQ(listening, 1);
    }
}

}  // namespace
}  // namespace inkwren
