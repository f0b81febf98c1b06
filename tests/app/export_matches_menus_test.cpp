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
    // Runs inkwren-export as its main() does, into a folder of its own.
    QString export_files(const QString& command, const QString& characters) {
        const QString out = folder.path() + QStringLiteral("匯出/");
        const ExportRequest request = parse_export_arguments(
            {command, QStringLiteral("--speed"), QStringLiteral("100"), QStringLiteral("--scale"),
             QStringLiteral("50"), QStringLiteral("--data"), installation, QStringLiteral("--out"),
             out, characters});
        const ExportOptions options = std::get<ExportOptions>(request);
        EXPECT_EQ(
            run_export(options, export_setup(options, folder.file("registry.ini"), working_dir),
                       stderr, false),
            0);
        return out;
    }

    // Shows the character, then saves its sheet and the GIF of a whole playback.
    void save_through_menus(const QString& character) {
        window->clipboard_changed(character);
        dialogs.save_files = {folder.file(character), folder.file(character)};
        item("N28")->trigger();
        play_through();
    }
};

TEST_F(ExportMatchesMenusTest, TheExportersSheetsAndGifsAreTheMenusByteForByte) {
    const QString characters = QStringLiteral("永國我");
    window->pad().set_pen_speed(100);
    item("Gif1")->trigger();
    item("N501")->trigger();
    for (const QChar character : characters) {
        save_through_menus(character);
    }
    for (const auto& [command, ending] : {std::pair{"sheet", ".jpg"}, std::pair{"gif", ".gif"}}) {
        const QString out = export_files(QString::fromLatin1(command), characters);
        for (const QChar character : characters) {
            const QString name = character + QString::fromLatin1(ending);
            const QByteArray made = read_file(folder.file(name));
            EXPECT_TRUE(!made.isEmpty() && made == read_file(out + name)) << name.toStdString();
        }
    }
    // Both at the GIF size chosen: half the pad's 200 pixels.
    const QByteArray gif = read_file(folder.file(QStringLiteral("國.gif")));
    EXPECT_EQ(uchar(gif.at(6)) | uchar(gif.at(7)) << 8, 100);
}

}  // namespace
}  // namespace inkwren
