#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "platform/error.h"
#include "platform/file_lock.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;

TEST(FileLock, OneHolderAtATimeNeverThroughALinkAndNoneLeftToAProgramStarted) {
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("鎖.lock"));
    std::optional<FileLock> first = FileLock::try_take(path);
    ASSERT_TRUE(first);
    EXPECT_FALSE(FileLock::try_take(path));
    FileLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(FileLock::try_take(path)) << "the moved lock is still held";
    moved = std::move(*FileLock::try_take(folder.file(QStringLiteral("另一個.lock"))));
    EXPECT_TRUE(FileLock::try_take(path));
    // A link planted as the lock file is refused.
    const QString planted = folder.file(QStringLiteral("連結.lock"));
    ASSERT_TRUE(QFile::link(path, planted));
    EXPECT_THROW(FileLock::try_take(planted), Error);
    // A program started while holding it does not keep it afterward.
    std::optional<FileLock> held = FileLock::try_take(path);
    ASSERT_TRUE(held);
    QProcess child;
    child.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(child.waitForStarted());
    held.reset();
    EXPECT_TRUE(FileLock::try_take(path));
    child.kill();
    child.waitForFinished();
}

}  // namespace
}  // namespace inkwren
