// inkwren-export: stroke-order sheets, GIFs, stroke files, practice worksheets and character
// information from the command line, made by the program's own code without a window.
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

#include <unistd.h>
#include <cstdio>

#include "app/export_batch.h"
#include "app/export_options.h"
#include "app/export_run.h"
#include "app/export_setup.h"
#include "app/user_folder.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace {

// Qt's own notices (such as a missing runtime folder) are not the user's business; its errors
// still are.
void quiet_messages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "inkwren-export: %s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace inkwren;
    qInstallMessageHandler(quiet_messages);
    // Fonts and pictures need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const ExportRequest request = parse_export_arguments(QCoreApplication::arguments().mid(1));
    if (const auto* help = std::get_if<ExportHelp>(&request)) {
        std::fputs(qPrintable(help->text), stdout);
        return 0;
    }
    if (const auto* version = std::get_if<ExportVersion>(&request)) {
        std::printf("%s\n", qPrintable(version->text));
        return 0;
    }
    if (const auto* usage = std::get_if<ExportUsageError>(&request)) {
        std::fprintf(stderr, "inkwren-export: %s\nTry inkwren-export --help.\n",
                     qPrintable(usage->message));
        return 2;
    }
    ExportOptions options = std::get<ExportOptions>(request);
    try {
        // Installed, the user's own folder is the one the program uses.
        const auto layout =
            installed_layout(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        if (layout && options.data.isEmpty()) {
            prepare_user_folder(*layout);
            options.data = layout->user;
        }
        const ExportSetup setup =
            export_setup(options, Registry::default_path(), QDir::currentPath());
        if (options.from_practice > 0) {
            options.characters << practised_characters(setup, options.from_practice);
        }
        if (options.command == ExportCommand::info) {
            return print_info(options, setup, stdout);
        }
        stop_export_on_interrupt();
        const bool progress = !options.quiet && isatty(fileno(stderr));
        return run_export(options, setup, stderr, progress);
    } catch (const Error& error) {
        std::fprintf(stderr, "inkwren-export: %s\n", qPrintable(error.message()));
        return 1;
    }
}
