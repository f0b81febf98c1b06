#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <functional>

#include "app/export_options.h"
#include "app/output_folder.h"
#include "app/scratch_folder.h"
#include "charinfo/char_info.h"
#include "strokes/mainland_forms.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

// The words of a command line without quoting.
QStringList words(const QString& line) {
    return line.split(u' ', Qt::SkipEmptyParts);
}

QStringList names_in(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                               QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

// A PDF without its creation time, the one thing two runs write differently.
QByteArray undated(const QByteArray& pdf) {
    static const QRegularExpression date(QStringLiteral("/CreationDate \\(D:\\d+Z\\)"));
    return QString::fromLatin1(pdf).remove(date).toLatin1();
}

struct ExportRun {
    int status = -1;
    QString errors;
    QString output;
};

// The exporter on the test installation, writing into out, with a temporary folder of the
// test's own; nothing of the user's is read or written.
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

    void start(QProcess& process, const QString& line) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(INKWREN_EXPORT),
                      words(line) << QStringLiteral("--data") << installation
                                  << QStringLiteral("--out") << out);
    }

    ExportRun run(const QString& line) {
        QProcess process;
        start(process, line);
        process.waitForFinished(120000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
                QString::fromUtf8(process.readAllStandardOutput())};
    }

    // Interrupts the run with signal once ready() holds.
    int interrupt(const QString& line, int signal, const std::function<bool(QProcess&)>& ready) {
        QProcess process;
        start(process, line);
        EXPECT_TRUE(process.waitForStarted());
        EXPECT_TRUE(ready(process));
        ::kill(pid_t(process.processId()), signal);
        process.waitForFinished(120000);
        return process.exitCode();
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

// The test library's four characters.
const QString four = QStringLiteral("永國我国");

TEST_F(ExporterTest, StrokeFilesAreTheCustomCharacterOrWithNoCustomTheArchiveEntry) {
    QDir().mkpath(installation + QStringLiteral("udefined"));
    write_file(installation + QStringLiteral("udefined/6C38.wrt"), testing::sample_stroke_text(2));
    ASSERT_EQ(run(QStringLiteral("strokes 永")).status, 0);
    EXPECT_EQ(read_file(out + QStringLiteral("永.wrt")), testing::sample_stroke_text(2));
    ASSERT_EQ(run(QStringLiteral("strokes 永 --no-custom")).status, 0);
    EXPECT_EQ(read_file(out + QStringLiteral("永.wrt")), testing::sample_stroke_text(5));
    // The traditional library in Taiwan's order unless told the mainland's.
    for (const auto& [standard, strokes] :
         {std::pair{"", 11}, std::pair{"--standard mainland", 10}}) {
        ASSERT_EQ(run(QStringLiteral("strokes 國 --library traditional ") + standard).status, 0);
        EXPECT_EQ(read_file(out + QStringLiteral("國.wrt")), testing::sample_stroke_text(strokes));
    }
}

// A library character that keeps the mainland's form in Taiwan's order gets a note under its
// sheet and above its worksheet row; every other file stays as it was without the list.
TEST_F(ExporterTest, ACharacterKeepingTheMainlandFormIsMarkedAndNoOtherFileChanges) {
    // The sheets of 永 and 國 and the worksheet of 永.
    const auto make = [&] {
        const QString library = QStringLiteral(" --library traditional");
        EXPECT_EQ(run(QStringLiteral("sheet 永 國 --png") + library).status, 0);
        EXPECT_EQ(run(QStringLiteral("worksheet 永") + library).status, 0);
        return QByteArrayList{read_file(out + QStringLiteral("永.png")),
                              read_file(out + QStringLiteral("國.png")),
                              undated(read_file(out + QStringLiteral("worksheet.pdf")))};
    };
    const QByteArrayList before = make();
    write_file(installation + QString::fromLatin1(mainland_forms_file), "永\n");
    const QByteArrayList marked = make();
    EXPECT_NE(marked[0], before[0]);
    EXPECT_EQ(marked[1], before[1]);
    EXPECT_NE(marked[2], before[2]);
    const QImage plain = QImage::fromData(before[0]);
    EXPECT_EQ(QImage::fromData(marked[0]).copy(plain.rect()), plain) << "the note goes under it";
}

// What the test installation knows of its characters: 永 and 國 (in another order of
// commonness than their code points), and nothing of 我.
void write_test_char_info(const QString& installation) {
    CharInfo yong;
    yong.character = U'永';
    yong.readings = {QStringLiteral("yǒng")};
    yong.definition = QStringLiteral("long, perpetual,\teternal");
    yong.radical = 85;
    yong.radical_form = QStringLiteral("水");
    yong.strokes_simplified = yong.strokes_traditional = 5;
    yong.rank = 900;
    CharInfo guo;
    guo.character = U'國';
    guo.readings = {QStringLiteral("guó"), QStringLiteral("guo")};
    guo.radical = 31;
    guo.radical_form = QStringLiteral("囗");
    guo.strokes_traditional = 11;
    guo.rank = 40;
    write_char_info({yong, guo}, installation + QString::fromLatin1(char_info_file_name));
}

TEST_F(ExporterTest, InfoPrintsALineOrAJsonObjectACharacterWithTheLibrarysStrokes) {
    const ExportRun missing = run(QStringLiteral("info 永"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("charinfo.dat")))
        << missing.errors.toStdString();
    write_test_char_info(installation);

    const ExportRun lines = run(QStringLiteral("info 永我國 --library traditional"));
    EXPECT_EQ(lines.status, 0) << lines.errors.toStdString();
    EXPECT_EQ(lines.output, QStringLiteral("永\tyǒng\tㄩㄥˇ\t水 85\t5\tlong, perpetual, eternal\n"
                                           "我\t\t\t\t\t\n"
                                           "國\tguó, guo\tㄍㄨㄛˊ, ˙ㄍㄨㄛ\t囗 31\t11\t\n"));
    EXPECT_FALSE(QDir(out).exists()) << "info writes no file";

    const ExportRun json = run(QStringLiteral("info 永我國 --json --order frequency"));
    EXPECT_EQ(json.status, 0);
    const QJsonArray objects = QJsonDocument::fromJson(json.output.toUtf8()).array();
    ASSERT_EQ(objects.size(), 3);
    EXPECT_EQ(objects[0].toObject().value(QStringLiteral("character")), QStringLiteral("國"));
    EXPECT_EQ(objects[0].toObject().value(QStringLiteral("pinyin")).toArray(),
              (QJsonArray{QStringLiteral("guó"), QStringLiteral("guo")}));
    EXPECT_EQ(objects[0].toObject().value(QStringLiteral("zhuyin")).toArray(),
              (QJsonArray{QStringLiteral("ㄍㄨㄛˊ"), QStringLiteral("˙ㄍㄨㄛ")}));
    EXPECT_FALSE(objects[0].toObject().contains(QStringLiteral("strokes"))) << "simplified";
    const QJsonObject yong = objects[1].toObject();
    EXPECT_EQ(yong.value(QStringLiteral("radical")), QStringLiteral("水"));
    EXPECT_EQ(yong.value(QStringLiteral("radical_number")), 85);
    EXPECT_EQ(yong.value(QStringLiteral("simplified_radical")), false);
    EXPECT_EQ(yong.value(QStringLiteral("strokes")), 5);
    EXPECT_EQ(yong.value(QStringLiteral("meaning")), QStringLiteral("long, perpetual,\teternal"));
    EXPECT_EQ(objects[2].toObject(),
              (QJsonObject{{QStringLiteral("character"), QStringLiteral("我")}}))
        << "unknown last, with its character alone";
}

// Off, the sheet is what it always was; on (by view.cfg or the command line) it gains a line
// at the bottom; a character without information gains none.
TEST_F(ExporterTest, TheInfoLineGoesUnderTheSheetOnlyWhenAskedFor) {
    const auto sheet = [&](const QString& options, const QString& character) {
        EXPECT_EQ(run(QStringLiteral("sheet --png ") + character + u' ' + options).status, 0);
        return QImage(out + character + QStringLiteral(".png"), "PNG");
    };
    const QImage plain = sheet({}, QStringLiteral("永"));
    const QByteArray plain_bytes = read_file(out + QStringLiteral("永.png"));
    EXPECT_EQ(run(QStringLiteral("sheet 永 --info-line on")).status, 1) << "no information file";
    write_test_char_info(installation);
    sheet({}, QStringLiteral("永"));
    EXPECT_EQ(read_file(out + QStringLiteral("永.png")), plain_bytes);

    write_file(installation + QStringLiteral("view.cfg"), "sheet_info_line=1\r\n");
    const QImage lined = sheet({}, QStringLiteral("永"));
    EXPECT_GT(lined.height(), plain.height());
    EXPECT_EQ(lined.copy(plain.rect()), plain);
    EXPECT_EQ(sheet(QStringLiteral("--info-line off"), QStringLiteral("永")), plain);
    const QImage unknown = sheet({}, QStringLiteral("我"));
    EXPECT_EQ(sheet(QStringLiteral("--info-line off"), QStringLiteral("我")), unknown);
}

// The sheet's options reach the sheet, too; bad usage gives status 2 and writes nothing.
TEST_F(ExporterTest, CharactersTheLibraryLacksAreListedAndTheOthersMadeOnceEach) {
    const ExportRun refused = run(QStringLiteral("paint 永"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("paint"))) << refused.errors.toStdString();
    EXPECT_FALSE(QDir(out).exists());

    const QString list = folder.file(QStringLiteral("第一課.txt"));
    write_file(
        list,
        QStringLiteral("# 第一課\n\n永 鬱 # 鬱 is not in this library\n  \n我 永\n").toUtf8());
    const ExportRun result = run(QStringLiteral("sheet --png --per-row 2 --list ") + list);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("鬱")));
    EXPECT_EQ(made(), (QStringList{QStringLiteral("我.png"), QStringLiteral("永.png")}));
    EXPECT_EQ(QImage(out + QStringLiteral("永.png"), "PNG").width(), 2 * 80);
}

// The characters with the most mistakes in the practice log: 國 before 永, 我 without any left
// out; a log without mistakes is an error.
TEST_F(ExporterTest, FromPracticeTakesTheCharactersWithTheMostMistakes) {
    const ExportRun nothing = run(QStringLiteral("sheet --from-practice 5"));
    EXPECT_EQ(nothing.status, 1);
    EXPECT_TRUE(nothing.errors.contains(QStringLiteral("no mistakes")))
        << nothing.errors.toStdString();
    write_file(installation + QStringLiteral("practice.log"),
               "2026-12-07T09:00:00Z\t永\t2\t1,0\t30\t1\n"
               "2026-12-07T09:01:00Z\t國\t3\t2,0,1\t50\t1\n"
               "2026-12-07T09:02:00Z\t我\t1\t0\t9\t1\n");
    ASSERT_EQ(run(QStringLiteral("sheet --png --from-practice 5")).status, 0);
    EXPECT_EQ(made(), (QStringList{QStringLiteral("國.png"), QStringLiteral("永.png")}));
    EXPECT_EQ(run(QStringLiteral("worksheet --from-practice 1")).status, 0);
}

TEST(ExportArguments, BadUsageIsRefusedSayingWhy) {
    const struct {
        const char* arguments;
        const char* said;
    } cases[] = {
        // Faults once met: an empty folder, more squares to trace than a row has, a device
        // read without end.
        {"sheet 永 --out=", "--out needs a folder"},
        {"worksheet --trace 11 永", "--trace takes a number from 0 to 10"},
        {"worksheet --list /dev/zero", "not an ordinary file"},
        // The same option word, different kinds of grid.
        {"worksheet --grid dotted 永", "--grid of a worksheet takes one of: nine, tian, mi"},
        {"sheet --grid mi 永", "--grid of a sheet takes one of: solid, dashed, dotted, off"},
        {"worksheet --info pinyn 永", "--info takes one of: pinyin, zhuyin, both, none"},
    };
    for (const auto& usage : cases) {
        const ExportRequest request =
            parse_export_arguments(words(QString::fromUtf8(usage.arguments)));
        const auto* refused = std::get_if<ExportUsageError>(&request);
        ASSERT_NE(refused, nullptr) << usage.arguments;
        EXPECT_TRUE(refused->message.contains(QString::fromUtf8(usage.said)))
            << refused->message.toStdString();
    }
}

TEST_F(ExporterTest, ARunKilledMidwayLeavesNothingHalfMadeOnceTheNextRunIsDone) {
    const QString line =
        QStringLiteral("gif --speed 0 --jobs 2 --verbose ") + four + QStringLiteral("鬱");
    interrupt(line, SIGKILL, [](QProcess& process) { return process.waitForReadyRead(120000); });
    EXPECT_FALSE(scratch_folders().isEmpty()) << "the killed run's scratch folders are left";

    EXPECT_EQ(run(line).status, 1) << "鬱 is not in the test library";
    EXPECT_EQ(scratch_folders(), QStringList{});
    EXPECT_EQ(made(), (QStringList{QStringLiteral("国.gif"), QStringLiteral("國.gif"),
                                   QStringLiteral("我.gif"), QStringLiteral("永.gif")}));
}

// Interrupted once its workers are at work, by which time it listens for Ctrl+C.
TEST_F(ExporterTest, AnInterruptedWorksheetOrOneOfNoCharacterTheLibraryHasLeavesTheOldOne) {
    QDir().mkpath(out);
    write_file(out + QStringLiteral("worksheet.pdf"), "last week's worksheet");
    const ExportRun result = run(QStringLiteral("worksheet 鬱"));
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("no worksheet written")))
        << result.errors.toStdString();
    EXPECT_EQ(interrupt(QStringLiteral("worksheet ") + four.repeated(1000), SIGINT,
                        [this](QProcess& process) {
                            while (scratch_folders().isEmpty() && !process.waitForFinished(10)) {
                            }
                            return true;
                        }),
              130);
    EXPECT_EQ(read_file(out + QStringLiteral("worksheet.pdf")), "last week's worksheet");
    EXPECT_EQ(made(), QStringList{QStringLiteral("worksheet.pdf")});
}

TEST(ExportLeftovers, ScratchFoldersOfKilledRunsGoAndThoseOfLiveRunsStay) {
    TempFolder temp;
    const QString elsewhere = temp.file(QStringLiteral("別處"));
    QDir().mkpath(elsewhere + QStringLiteral("/保留"));
    // A killed run's folder holds no lock any more; the live run's is locked by this process.
    const QString dead = temp.file(QStringLiteral("inkwren-export-Dead01"));
    QDir().mkpath(dead + QStringLiteral("/tmp"));
    write_file(dead + QStringLiteral("/tmp/6C38.wrt"), "strokes");
    QFile::link(elsewhere, temp.file(QStringLiteral("inkwren-export-Link01")));
    QDir().mkpath(temp.file(QStringLiteral("other-program-Ab12Cd")));
    std::optional<ScratchFolder> live(std::in_place, temp.path());

    EXPECT_EQ(remove_dead_scratch_folders(temp.path()), 1);
    const QString live_name = QDir(live->path()).dirName();
    QStringList expected = {live_name, QStringLiteral("inkwren-export-Link01"),
                            QStringLiteral("other-program-Ab12Cd"), QStringLiteral("別處")};
    expected.sort();
    EXPECT_EQ(names_in(temp.path()), expected);
    EXPECT_TRUE(QDir(elsewhere + QStringLiteral("/保留")).exists()) << "links are not followed";
}

TEST(ExportLeftovers, HalfWrittenFilesOfKilledRunsGoUnlessARunWritesThere) {
    TempFolder temp;
    const QString out = temp.file(QStringLiteral("輸出"));
    const QStringList ours =
        words(QStringLiteral("永.jpg.Ab12Cd 永.png.Ab12Cd 國.gif.x9Y8z7 "
                             "𠀀.wrt.000000 worksheet.pdf.QwErTy"));
    QStringList others =
        words(QStringLiteral("report.pdf.Ab12Cd 永國.jpg.Ab12Cd 永.jpg 永.jpg.old worksheet.pdf"));
    // While another run writes there, they may be its own.
    {
        const OutputFolder writing(out);
        for (const QString& name : ours + others) {
            write_file(out + QLatin1Char('/') + name, "half");
        }
        EXPECT_EQ(OutputFolder(out).leftovers_removed(), 0);
    }
    EXPECT_EQ(OutputFolder(out).leftovers_removed(), ours.size());
    others.sort();
    EXPECT_EQ(names_in(out), others);
}

}  // namespace
}  // namespace inkwren
