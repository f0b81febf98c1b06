#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"
#include "platform/runtime_folder.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;

mode_t mode_of(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

void make_folder(const QString& path, mode_t mode) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// The temporary folder's own folder for the user.
QString own_folder(const TempFolder& temp) {
    return temp.path() + QStringLiteral("inkwren-%1").arg(::getuid());
}

TEST(RuntimeFolder, XdgRuntimeDirIsUsedOnlyWhenTheUsersAloneAndOtherwiseAPrivateFolder) {
    const struct {
        const char* name;
        mode_t mode;  // 0 for a link to a private folder
        bool used;
    } cases[] = {
        {"私有", 0700, true},      {"可讀", 0755, true}, {"組可寫", 0770, false},
        {"人人可寫", 0777, false}, {"連結", 0, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        TempFolder temp;
        const QString xdg = temp.file(QString::fromUtf8(each.name));
        if (each.mode == 0) {
            make_folder(temp.file(QStringLiteral("目標")), 0700);
            ASSERT_TRUE(QFile::link(temp.file(QStringLiteral("目標")), xdg));
        } else {
            make_folder(xdg, each.mode);
        }
        const QString folder = private_runtime_folder(xdg, temp.path(), ::getuid());
        EXPECT_EQ(folder, each.used ? QDir::cleanPath(xdg) : own_folder(temp));
    }
    // Without it a private folder is made once and reused.
    TempFolder temp;
    for (const QString& xdg : {QString(), QStringLiteral("relative/運行")}) {
        EXPECT_EQ(private_runtime_folder(xdg, temp.path(), ::getuid()), own_folder(temp));
        EXPECT_EQ(mode_of(own_folder(temp)), mode_t(0700));
    }
    // A folder of another user's name counts as theirs too.
    EXPECT_THROW(private_runtime_folder(QString(), temp.path(), ::getuid() + 1), Error);
}

TEST(RuntimeFolder, AFallbackFolderAnotherCouldHavePlantedIsRefused) {
    const struct {
        const char* kind;
        void (*plant)(const QString& path, const TempFolder& temp);
    } planted[] = {
        {"a link to a private folder",
         [](const QString& path, const TempFolder& temp) {
             make_folder(temp.file(QStringLiteral("別處")), 0700);
             ASSERT_TRUE(QFile::link(temp.file(QStringLiteral("別處")), path));
         }},
        {"a folder others may enter",
         [](const QString& path, const TempFolder&) { make_folder(path, 0755); }},
        {"a folder others may write",
         [](const QString& path, const TempFolder&) { make_folder(path, 0777); }},
        {"a file",
         [](const QString& path, const TempFolder&) { testing::write_file(path, "不是資料夾"); }},
    };
    for (const auto& each : planted) {
        SCOPED_TRACE(each.kind);
        TempFolder temp;
        each.plant(own_folder(temp), temp);
        const QString message =
            testing::error_of([&] { private_runtime_folder(QString(), temp.path(), ::getuid()); });
        EXPECT_TRUE(message.contains(own_folder(temp))) << qPrintable(message);
    }
}

}  // namespace
}  // namespace inkwren
