#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

#include "app/export_options.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

struct ExportRun {
    int status = -1;
    QString errors;
};

// The exporter on the test installation, with a temporary folder of the test's own; nothing of
// the user's is read or written.
class ExporterTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation = folder.path() + QStringLiteral("墨鷦/");
        QDir().mkpath(installation);
        testing::make_installation(installation);
        out = folder.path() + QStringLiteral("輸出/");
        temp = folder.path() + QStringLiteral("暫存/");
        QDir().mkpath(temp);
    }

    void start(QProcess& process, QStringList arguments) {
        arguments << QStringLiteral("--data") << installation;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(INKWREN_EXPORT), arguments);
    }

    ExportRun run(QStringList arguments) {
        QProcess process;
        start(process, std::move(arguments));
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    QStringList made() const { return QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QStringList scratch_folders() const {
        return QDir(temp).entryList({QStringLiteral("inkwren-export-*")},
                                    QDir::Dirs | QDir::NoDotAndDotDot);
    }

    TempFolder folder;
    QString installation;
    QString out;
    QString temp;  // the exporter's TMPDIR
};

// A list of the test library's four characters, many times over.
QString many_characters(int copies) {
    return QStringLiteral("永國我国").repeated(copies);
}

TEST_F(ExporterTest, StrokeFilesAreTheCustomCharacterOrWithNoCustomTheArchiveEntry) {
    QDir().mkpath(installation + QStringLiteral("udefined"));
    write_file(installation + QStringLiteral("udefined/6C38.wrt"), testing::sample_stroke_text(2));
    for (const bool custom : {true, false}) {
        QStringList arguments{QStringLiteral("strokes"), QStringLiteral("--out"), out,
                              QStringLiteral("永")};
        if (!custom) {
            arguments << QStringLiteral("--no-custom");
        }
        ASSERT_EQ(run(arguments).status, 0);
        EXPECT_EQ(read_file(out + QStringLiteral("永.wrt")),
                  testing::sample_stroke_text(custom ? 2 : 5));
    }
}

// The sheet's options reach the sheet, too.
TEST_F(ExporterTest, CharactersTheLibraryLacksAreListedAndTheOthersMadeOnceEach) {
    const QString list = folder.file(QStringLiteral("第一課.txt"));
    write_file(
        list,
        QStringLiteral("# 第一課\n\n永 鬱 # 鬱 is not in this library\n  \n我 永\n").toUtf8());
    const ExportRun result =
        run({QStringLiteral("sheet"), QStringLiteral("--png"), QStringLiteral("--per-row"),
             QStringLiteral("2"), QStringLiteral("--list"), list, QStringLiteral("--out"), out});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("鬱")));
    EXPECT_EQ(made(), (QStringList{QStringLiteral("我.png"), QStringLiteral("永.png")}));
    EXPECT_EQ(QImage(out + QStringLiteral("永.png"), "PNG").width(), 2 * 80);
}

TEST(ExportArguments, BadUsageIsRefusedSayingWhy) {
    const struct {
        QStringList arguments;
        const char* said;
    } cases[] = {
        {{QStringLiteral("sheet"), QStringLiteral("--bogus"), QStringLiteral("永")}, "--bogus"},
        {{QStringLiteral("paint"), QStringLiteral("永")}, "paint"},
        {{QStringLiteral("sheet"), QStringLiteral("no characters")}, "no Chinese characters"},
        {{QStringLiteral("gif"), QStringLiteral("--speed"), QStringLiteral("fast"),
          QStringLiteral("永")},
         "--speed takes a number from 0 to 100"},
        // Faults once met: an empty folder, more squares to trace than a row has, a device
        // read without end.
        {{QStringLiteral("sheet"), QStringLiteral("永"), QStringLiteral("--out=")},
         "--out needs a folder"},
        {{QStringLiteral("worksheet"), QStringLiteral("--trace"), QStringLiteral("11"),
          QStringLiteral("永")},
         "--trace takes a number from 0 to 10"},
        {{QStringLiteral("worksheet"), QStringLiteral("--list"), QStringLiteral("/dev/zero")},
         "not an ordinary file"},
    };
    for (const auto& usage : cases) {
        const ExportRequest request = parse_export_arguments(usage.arguments);
        const auto* refused = std::get_if<ExportUsageError>(&request);
        ASSERT_NE(refused, nullptr) << usage.arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused->message.contains(QString::fromUtf8(usage.said)))
            << refused->message.toStdString();
    }
    EXPECT_TRUE(std::holds_alternative<ExportHelp>(
        parse_export_arguments({QStringLiteral("sheet"), QStringLiteral("--help")})));
    const ExportRequest version = parse_export_arguments({QStringLiteral("--version")});
    EXPECT_TRUE(std::get<ExportVersion>(version).text.startsWith(QStringLiteral("inkwren-export")));
}

TEST_F(ExporterTest, BadUsageGivesStatusTwoAndWritesNothing) {
    const ExportRun result =
        run({QStringLiteral("paint"), QStringLiteral("--out"), out, QStringLiteral("永")});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("paint"))) << result.errors.toStdString();
    EXPECT_FALSE(QDir(out).exists());
}

TEST(ExporterHelp, NamesEveryExitStatusAndTheTraceRange) {
    const QString help = export_help_text();
    for (const char* line :
         {"  0 ", "  1 ", "  2 ", "  130 ", "--trace 0-10", "--speed 0-100  --interval 0-30"}) {
        EXPECT_TRUE(help.contains(QString::fromLatin1(line))) << line;
    }
}

TEST_F(ExporterTest, MoreJobsThanTheMachineRunsAreCappedAndSaidSo) {
    const int cores = QThread::idealThreadCount();
    const ExportRun result =
        run({QStringLiteral("strokes"), QStringLiteral("--jobs"), QStringLiteral("256"),
             QStringLiteral("--out"), out, many_characters(1)});
    EXPECT_EQ(result.status, 0);
    if (cores < 4) {
        EXPECT_TRUE(result.errors.contains(QStringLiteral("using %1").arg(cores)))
            << result.errors.toStdString();
    }
    EXPECT_EQ(made().size(), 4);
}

TEST_F(ExporterTest, AWorksheetTakesAsManyPagesAsItsCharactersNeed) {
    ASSERT_EQ(run({QStringLiteral("worksheet"), QStringLiteral("--title"), QStringLiteral("第一課"),
                   QStringLiteral("--paper"), QStringLiteral("letter"), QStringLiteral("--out"),
                   out, many_characters(6)})
                  .status,
              0);
    const QByteArray pdf = read_file(out + QStringLiteral("worksheet.pdf"));
    const QRegularExpression count(QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"));
    const QRegularExpressionMatch match = count.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GE(match.captured(1).toInt(), 3);
}

TEST_F(ExporterTest, AnInterruptedRunLeavesOnlyWholeFiles) {
    QProcess process;
    start(process, {QStringLiteral("gif"), QStringLiteral("--speed"), QStringLiteral("0"),
                    QStringLiteral("--jobs"), QStringLiteral("1"), QStringLiteral("--verbose"),
                    QStringLiteral("--out"), out, QStringLiteral("永國我国")});
    ASSERT_TRUE(process.waitForStarted());
    // Interrupted once the first file is announced, while the next one is being made.
    ASSERT_TRUE(process.waitForReadyRead(120000));
    ::kill(pid_t(process.processId()), SIGINT);
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitCode(), 130);
    const QStringList files = made();
    EXPECT_GE(files.size(), 1);
    EXPECT_LT(files.size(), 4);
    for (const QString& file : files) {
        EXPECT_TRUE(file.endsWith(QStringLiteral(".gif"))) << file.toStdString();
        EXPECT_TRUE(read_file(out + file).endsWith(";")) << "a GIF ends with its trailer";
    }
}

TEST_F(ExporterTest, ARunKilledMidwayLeavesNothingHalfMadeOnceTheNextRunIsDone) {
    const QStringList arguments{QStringLiteral("gif"),
                                QStringLiteral("--speed"),
                                QStringLiteral("0"),
                                QStringLiteral("--jobs"),
                                QStringLiteral("2"),
                                QStringLiteral("--verbose"),
                                QStringLiteral("--out"),
                                out,
                                many_characters(1) + QStringLiteral("鬱")};
    QProcess process;
    start(process, arguments);
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(process.waitForReadyRead(120000));
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished(120000);
    EXPECT_FALSE(scratch_folders().isEmpty()) << "the killed run's scratch folders are left";

    EXPECT_EQ(run(arguments).status, 1) << "鬱 is not in the test library";
    EXPECT_EQ(scratch_folders(), QStringList{});
    EXPECT_EQ(made(), (QStringList{QStringLiteral("国.gif"), QStringLiteral("國.gif"),
                                   QStringLiteral("我.gif"), QStringLiteral("永.gif")}));
    for (const QString& file : made()) {
        EXPECT_TRUE(read_file(out + file).endsWith(";")) << file.toStdString();
    }
}

TEST_F(ExporterTest, AWorksheetOfNoCharacterTheLibraryHasLeavesTheOldOneAndSaysSo) {
    QDir().mkpath(out);
    write_file(out + QStringLiteral("worksheet.pdf"), "last week's worksheet");
    const ExportRun result =
        run({QStringLiteral("worksheet"), QStringLiteral("--out"), out, QStringLiteral("鬱")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("no worksheet written")))
        << result.errors.toStdString();
    EXPECT_EQ(read_file(out + QStringLiteral("worksheet.pdf")), "last week's worksheet");
    EXPECT_EQ(made(), QStringList{QStringLiteral("worksheet.pdf")});
}

TEST_F(ExporterTest, AnInterruptedWorksheetLeavesTheOldOne) {
    QDir().mkpath(out);
    write_file(out + QStringLiteral("worksheet.pdf"), "last week's worksheet");
    QProcess process;
    start(process,
          {QStringLiteral("worksheet"), QStringLiteral("--out"), out, many_characters(1000)});
    ASSERT_TRUE(process.waitForStarted());
    // Interrupted once its workers are at work, by which time it listens for Ctrl+C.
    while (scratch_folders().isEmpty() && !process.waitForFinished(10)) {
    }
    ::kill(pid_t(process.processId()), SIGINT);
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(read_file(out + QStringLiteral("worksheet.pdf")), "last week's worksheet");
    EXPECT_EQ(made(), QStringList{QStringLiteral("worksheet.pdf")});
}

}  // namespace
}  // namespace inkwren
