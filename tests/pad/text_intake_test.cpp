#include <gtest/gtest.h>

#include <QDir>

#include "pad/text_intake.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

TEST(FileNames, NameAndExtensionComeFromTheLastSeparatorAndDot) {
    EXPECT_EQ(Get_filename(QStringLiteral("/home/老師/課本/永.wrt")), QStringLiteral("永.wrt"));
    EXPECT_EQ(Get_filename(QStringLiteral("永.wrt")), QString());
    EXPECT_EQ(Get_file_extension(QStringLiteral("a.b/c")), QStringLiteral("b/c"));
    EXPECT_EQ(Get_file_extension(QStringLiteral("/x/MyLang.TXT ")), QStringLiteral("TXT"));
    EXPECT_EQ(Get_file_extension(QStringLiteral("/x/README")), QString());
}

TEST(FileNames, DroppedFilesAreClassifiedByExtensionAndName) {
    TempFolder folder;
    write_file(folder.file("永.wrt"), "");
    write_file(folder.file("MyLang.TXT"), "");
    write_file(folder.file("筆記.txt"), "");
    write_file(folder.file("圖.png"), "");
    EXPECT_EQ(classify_dropped_file(folder.file("永.wrt")), DroppedKind::stroke_file);
    EXPECT_EQ(classify_dropped_file(folder.file("MyLang.TXT")), DroppedKind::user_language);
    EXPECT_EQ(classify_dropped_file(folder.file("筆記.txt")), DroppedKind::text_file);
    EXPECT_EQ(classify_dropped_file(folder.file("圖.png")), DroppedKind::ignored);
    EXPECT_EQ(classify_dropped_file(folder.file("沒有.wrt")), DroppedKind::ignored);
}

TEST(FileNames, AFolderNamedLikeAStrokeFileIsIgnoredWhenDropped) {
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("課本.wrt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("mylang.txt")));
    EXPECT_EQ(classify_dropped_file(folder.file("課本.wrt")), DroppedKind::ignored);
    EXPECT_EQ(classify_dropped_file(folder.file("mylang.txt")), DroppedKind::ignored);
}

TEST(CopyTextFile, CopiesLinesWithCrLfEndsReplacingTheTarget) {
    TempFolder folder;
    write_file(folder.file("來源.txt"), "LANGUAGE 日本語\n0101 ファイル\r\nlast");
    write_file(folder.file("mylang.txt"), "old content that is longer than the new one");
    copy_text_file(folder.file("來源.txt"), folder.file("mylang.txt"));
    const QByteArray copied("LANGUAGE 日本語\r\n0101 ファイル\r\nlast\r\n");
    EXPECT_EQ(read_file(folder.file("mylang.txt")), copied);
    copy_text_file(folder.file("沒有.txt"), folder.file("mylang.txt"));
    EXPECT_EQ(read_file(folder.file("mylang.txt")), copied);
    // A folder is not an empty file to copy over the target.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.txt")));
    EXPECT_THROW(copy_text_file(folder.file("資料夾.txt"), folder.file("mylang.txt")), Error);
    EXPECT_EQ(read_file(folder.file("mylang.txt")), copied);
}

}  // namespace
}  // namespace inkwren
