// Renders characters from the installation folder's archives the way the pad shows them at
// rest, into PNG files, for looking at the strokes:
//   render_preview --install DIR --out DIR [--size N] CHARACTER...
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"

namespace {

using namespace inkwren;

QString option(const QStringList& arguments, const QString& name, const QString& fallback = {}) {
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size()) {
        if (fallback.isNull()) {
            throw Error(QStringLiteral(
                "usage: render_preview --install DIR --out DIR [--size N] CHARACTER..."));
        }
        return fallback;
    }
    return arguments[at + 1];
}

// The traditional archive when it names the character, else the simplified one.
bool load_character(TAnimationPlayer& player, SimplePlayerOwner& owner, const QString& install,
                    const QString& character) {
    const QDir folder(install);
    struct Source {
        const char* archive;
        IndexColumn column;
        int code_page;
    };
    for (const Source source : {Source{traditional_archive, IndexColumn::big5, big5_code_page},
                                Source{simplified_archive, IndexColumn::gb, gbk_code_page}}) {
        const QString data = folder.filePath(QString::fromLatin1(source.archive));
        const QString index = folder.filePath(index_file_name(QString::fromLatin1(source.archive)));
        const QByteArray key = to_code_page(character, source.code_page) + ".wrt";
        if (in_dictionary(index, key, source.column)) {
            owner.column = source.column;
            owner.code_page = source.code_page;
            player.load_from_archive(character, data, index);
            player.rebuild_lines();
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    try {
        QStringList arguments = app.arguments();
        const QString install = option(arguments, QStringLiteral("--install"));
        const QString out = option(arguments, QStringLiteral("--out"));
        const int size = option(arguments, QStringLiteral("--size"), QStringLiteral("200")).toInt();
        QDir().mkpath(out);
        for (qsizetype at = 1; at < arguments.size(); ++at) {
            const QString& character = arguments[at];
            if (character.startsWith(QStringLiteral("--"))) {
                ++at;  // an option and its value
                continue;
            }
            SimplePlayerOwner owner;
            TAnimationPlayer player(owner, install);
            player.pad_w = player.pad_h = size;
            player.pen_scale = player.coord_scale = size / 200.0;
            player.init_pad();
            if (!load_character(player, owner, install, character)) {
                std::fprintf(stderr, "%s is in neither archive\n", qPrintable(character));
                continue;
            }
            const QString file =
                QDir(out).filePath(QStringLiteral("%1-%2.png").arg(character).arg(size));
            player.image.save(file);
            std::printf("%s\n", qPrintable(file));
        }
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "render_preview: %s\n", qPrintable(error.message()));
        return 1;
    }
}
