#include <gtest/gtest.h>

#include "app/practice_log.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

PracticeRecord practised(const QString& character, std::vector<int> mistakes, int minute = 0) {
    return {.finished = QDateTime(QDate(2026, 12, 7), QTime(10, minute, 5), Qt::UTC),
            .character = character,
            .mistakes = std::move(mistakes),
            .seconds = 42,
            .whole = true};
}

TEST(PracticeLog, ALineReadsBackAsWrittenAndDamagedLinesAreRefused) {
    PracticeRecord record = practised(QStringLiteral("鬱"), {0, 2, 0, 1});
    record.whole = false;
    const QByteArray line = format_practice_record(record);
    EXPECT_EQ(line, QByteArray("2026-12-07T10:00:05Z\t鬱\t4\t0,2,0,1\t42\t0\n"));
    EXPECT_EQ(parse_practice_record(line), record);
    // A character beyond the first plane, and a line ended as on Windows.
    PracticeRecord rare = practised(QStringLiteral("𠀀"), {3});
    rare.seconds = 5;
    EXPECT_EQ(parse_practice_record("2026-12-07T10:00:05Z\t𠀀\t1\t3\t5\t1\r"), rare);
    for (const char* damaged : {
             "2026-12-07T10:00:05Z\t永\t2\t0,1\t42",             // a field short
             "yesterday\t永\t2\t0,1\t42\t1",                     // no time
             "2026-12-07T10:00:05Z\t\t2\t0,1\t42\t1",            // no character
             "2026-12-07T10:00:05Z\t永永永永永\t2\t0,1\t42\t1",  // a word
             "2026-12-07T10:00:05Z\t永\t3\t0,1\t42\t1",          // counts that disagree
             "2026-12-07T10:00:05Z\t永\t0\t\t42\t1",             // no strokes
             "2026-12-07T10:00:05Z\t永\t2\t0,-1\t42\t1",         // a negative count
             "2026-12-07T10:00:05Z\t永\t2\t0,1\t42\tyes",        // not 0 or 1
             "2026-12-07T10:00:05Z\t永\t2\t0,99999999\t42\t1",   // beyond any count
         }) {
        EXPECT_FALSE(parse_practice_record(damaged)) << damaged;
    }
}

// Lines are added whole: one a crash left without its end is closed first, and damaged lines
// are passed over when reading.
TEST(PracticeLog, LinesAreAddedAfterALineLeftUnfinishedAndDamageIsPassedOver) {
    TempFolder folder;
    const QString path = folder.file("練習/practice.log");
    EXPECT_TRUE(read_practice_log(path).empty());
    EXPECT_THROW(append_practice_record(path, practised(QStringLiteral("永"), {1})), Error);

    const QString log = folder.file("practice.log");
    write_file(log, "2026-12-07T09:00:00Z\t永\t5\t0,0");  // cut short by a crash
    append_practice_record(log, practised(QStringLiteral("國"), {0, 1}));
    append_practice_record(log, practised(QStringLiteral("永"), {0, 0, 0, 0, 0}, 1));
    const std::vector<PracticeRecord> records = read_practice_log(log);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].character, QStringLiteral("國"));
    EXPECT_EQ(records[1].character, QStringLiteral("永"));
    EXPECT_TRUE(read_file(log).endsWith("\t1\n"));
}

TEST(PracticeLog, ReviewTakesLatestMistakesFirstAndWorksheetsTheMostMistakes) {
    const std::vector<PracticeRecord> records = {
        practised(QStringLiteral("永"), {3, 3}, 0), practised(QStringLiteral("國"), {1}, 1),
        practised(QStringLiteral("書"), {0, 2}, 2), practised(QStringLiteral("永"), {0, 0}, 3),
        practised(QStringLiteral("龍"), {0}, 4),    practised(QStringLiteral("國"), {0, 1}, 5)};
    // 永's last writing was clean; 龍 never had a mistake.
    EXPECT_EQ(characters_to_review(records),
              QStringList({QStringLiteral("國"), QStringLiteral("書")}));
    // 永 6, then 國 and 書 with 2 each, 國 written last.
    EXPECT_EQ(most_mistaken_characters(records, 2),
              QStringList({QStringLiteral("永"), QStringLiteral("國")}));
    EXPECT_EQ(most_mistaken_characters(records, 10).size(), 3);
}

}  // namespace
}  // namespace inkwren
