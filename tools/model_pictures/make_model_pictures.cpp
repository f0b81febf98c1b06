// make_model_pictures: renders the model picture of every character of the stroke data package
// in the Kai face and writes the picture dictionary (hk_kai.dat, hk_dict.dat), keyed in the
// dictionary's own code page.
//
//   make_model_pictures --package DIR --out DIR
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#include "platform/error.h"
#include "tools/model_pictures/model_picture.h"
#include "tools/model_pictures/package_characters.h"
#include "tools/model_pictures/picture_dictionary.h"
#include "tools/model_pictures/png_encoder.h"
#include "tools/tool_options.h"

namespace inkwren::tools {
namespace {

struct Options {
    QString package;
    QString out;
};

Options parse_options(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes hk_kai.dat and hk_dict.dat from the hanzi-writer-data package."));
    parser.addHelpOption();
    const QCommandLineOption package(QStringLiteral("package"),
                                     QStringLiteral("The unpacked hanzi-writer-data folder."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("The folder to write the dictionary into."),
                                 QStringLiteral("DIR"));
    parser.addOptions({package, out});
    parser.process(app);

    Options options{parser.value(package), parser.value(out)};
    if (options.package.isEmpty() || options.out.isEmpty()) {
        throw Error(QStringLiteral("Both --package DIR and --out DIR are needed."));
    }
    return options;
}

QString file_size(const QString& path) {
    return QStringLiteral("%1 bytes").arg(QFileInfo(path).size());
}

int run(const Options& options) {
    QElapsedTimer clock;
    clock.start();
    const std::vector<PackageCharacter> characters =
        package_characters(options.package, picture_dictionary_code_page);
    const QString family = kai_family_for(picture_dictionary_code_page);
    const ModelPictureRenderer renderer(family);

    std::vector<ModelPicture> pictures;
    pictures.reserve(characters.size());
    qsizetype not_in_face = 0;
    for (const PackageCharacter& entry : characters) {
        if (!renderer.draws(entry.character)) {
            ++not_in_face;
            continue;
        }
        pictures.push_back({entry.key, encode_png(renderer.render(entry.character))});
    }
    if (pictures.empty()) {
        throw Error(QStringLiteral("\"%1\" holds no character with a code in code page %2; is "
                                   "it the hanzi-writer-data package?")
                        .arg(options.package)
                        .arg(picture_dictionary_code_page));
    }

    if (!QDir().mkpath(options.out)) {
        throw Error(QStringLiteral("The folder \"%1\" cannot be created.").arg(options.out));
    }
    const QDir out(options.out);
    const QString index_path = out.filePath(QString::fromLatin1(picture_index_name));
    const QString pictures_path = out.filePath(QString::fromLatin1(picture_data_name));
    write_picture_dictionary(index_path, pictures_path, pictures);

    std::printf("%zu model pictures in %s, keyed in code page %d", pictures.size(),
                qPrintable(family), picture_dictionary_code_page);
    if (not_in_face > 0) {
        std::printf(" (%lld characters the face lacks left out)", qlonglong(not_in_face));
    }
    std::printf("\n  %s: %s\n  %s: %s\n  %.1f s\n", qPrintable(pictures_path),
                qPrintable(file_size(pictures_path)), qPrintable(index_path),
                qPrintable(file_size(index_path)), double(clock.elapsed()) / 1000.0);
    return 0;
}

}  // namespace
}  // namespace inkwren::tools

int main(int argc, char** argv) {
    // Glyphs are drawn into images, never onto a screen.
    inkwren::tools::prefer_offscreen_platform();
    // Every glyph is drawn once, so Qt's FreeType glyph cache would only hold all of them,
    // about 180 MB, until the end.
    if (qEnvironmentVariableIsEmpty("QT_NO_FT_CACHE")) {
        qputenv("QT_NO_FT_CACHE", "1");
    }
    QGuiApplication app(argc, argv);
    try {
        return inkwren::tools::run(inkwren::tools::parse_options(app));
    } catch (const inkwren::Error& error) {
        std::fprintf(stderr, "make_model_pictures: %s\n", qPrintable(error.message()));
        return 1;
    }
}
