#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "app/export_options.h"
#include "app/export_run.h"
#include "app/export_setup.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;

class ExportMatchesMenusTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        menus = folder.path() + QStringLiteral("選單/");
        exported = folder.path() + QStringLiteral("匯出/");
        QDir().mkpath(menus);
    }

    // Runs inkwren-export's command on the characters into the export folder.
    void export_files(const QStringList& arguments) {
        const ExportRequest request = parse_export_arguments(
            arguments + QStringList{QStringLiteral("--data"), installation, QStringLiteral("--out"),
                                    exported, QStringLiteral("--quiet")});
        const ExportOptions options = std::get<ExportOptions>(request);
        const ExportSetup setup = export_setup(options, folder.file("registry.ini"), working_dir);
        ASSERT_EQ(run_export(options, setup, stderr, false), 0);
    }

    // Shows the character and saves its sheet and its GIF through the menus.
    void save_through_menus(const QString& character) {
        window->clipboard_changed(character);
        dialogs.save_files = {menus + character};
        item("N28")->trigger();
        dialogs.save_files = {menus + character};
        TAnimationPlayer& player = window->pad().player();
        player.stop_play();
        player.replay();
        while (player.playing()) {
            player.play_tick();
        }
        QCoreApplication::processEvents();
    }

    QString menus;
    QString exported;
};

TEST_F(ExportMatchesMenusTest, TheExportersSheetsAndGifsAreTheMenusByteForByte) {
    const QStringList characters{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("我")};
    window->pad().settings().pen_speed = 100;
    item("Gif1")->trigger();
    for (const QString& character : characters) {
        save_through_menus(character);
    }
    export_files({QStringLiteral("sheet"), characters.join(QString())});
    export_files({QStringLiteral("gif"), QStringLiteral("--speed"), QStringLiteral("100"),
                  characters.join(QString())});
    for (const QString& character : characters) {
        for (const char* ending : {".jpg", ".gif"}) {
            const QString name = character + QString::fromLatin1(ending);
            const QByteArray made = read_file(menus + name);
            EXPECT_FALSE(made.isEmpty()) << name.toStdString();
            EXPECT_TRUE(made == read_file(exported + name)) << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace inkwren
