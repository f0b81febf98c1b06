#include <gtest/gtest.h>

#include <QDir>

#include "pad/text_intake.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

// A dropped folder named like a stroke or text file was once read as one.
TEST(DroppedFiles, AreClassifiedByExtensionAndNameWithFoldersIgnoredAndTextsCopiedWithCrLf) {
    testing::TempFolder folder;
    const struct {
        const char* name;
        bool is_folder;
        DroppedKind kind;
    } dropped[] = {{"永.wrt", false, DroppedKind::stroke_file},
                   {"MyLang.TXT", false, DroppedKind::user_language},
                   {"筆記.txt", false, DroppedKind::text_file},
                   {"圖.png", false, DroppedKind::ignored},
                   {"課本.wrt", true, DroppedKind::ignored},
                   {"mylang.txt", true, DroppedKind::ignored}};
    for (const auto& each : dropped) {
        const QString path = folder.file(QString::fromUtf8(each.name));
        each.is_folder ? void(QDir().mkpath(path)) : write_file(path, "");
        EXPECT_EQ(classify_dropped_file(path), each.kind) << each.name;
    }
    EXPECT_EQ(classify_dropped_file(folder.file("沒有.wrt")), DroppedKind::ignored);

    // A dropped text file is copied line by line with CR LF ends over the target.
    write_file(folder.file("來源.txt"), "LANGUAGE 日本語\n0101 ファイル\r\nlast");
    write_file(folder.file("譯文.txt"), "old content that is longer than the new one");
    copy_text_file(folder.file("來源.txt"), folder.file("譯文.txt"));
    const QByteArray copied("LANGUAGE 日本語\r\n0101 ファイル\r\nlast\r\n");
    EXPECT_EQ(read_file(folder.file("譯文.txt")), copied);
    copy_text_file(folder.file("沒有.txt"), folder.file("譯文.txt"));
    // A folder is not an empty file to copy over the target.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.txt")));
    EXPECT_THROW(copy_text_file(folder.file("資料夾.txt"), folder.file("譯文.txt")), Error);
    EXPECT_EQ(read_file(folder.file("譯文.txt")), copied);
}

}  // namespace
}  // namespace inkwren
