#include "app/export_run.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <csignal>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/export_maker.h"
#include "output/worksheet.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) {
    interrupted = 1;
}

// What the workers share: the next character to take, and what came of each.
struct Batch {
    const ExportOptions& options;
    const ExportSetup& setup;
    QStringList characters;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::mutex mutex;
    QStringList missing;
    QStringList failures;
    std::vector<std::optional<std::vector<QImage>>> sequences;  // worksheets only
};

void make_one(Batch& batch, CharacterMaker& maker, int index) {
    const QString character = batch.characters[index];
    if (!maker.show(character)) {
        const std::lock_guard lock(batch.mutex);
        batch.missing << character;
        return;
    }
    const ExportOptions& options = batch.options;
    QByteArray bytes;
    switch (options.command) {
        case ExportCommand::sheet:
            bytes = maker.sheet_file();
            break;
        case ExportCommand::gif:
            bytes = maker.gif_file();
            break;
        case ExportCommand::strokes:
            bytes = maker.stroke_file();
            break;
        case ExportCommand::worksheet: {
            batch.sequences[std::size_t(index)] = maker.sheet().pictures;
            return;
        }
    }
    const QString path =
        QDir(options.out).filePath(export_file_name(character, options.command, options.png));
    write_whole_file(path, bytes);
    if (options.verbose) {
        const std::lock_guard lock(batch.mutex);
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    }
}

void work(Batch& batch) {
    std::unique_ptr<CharacterMaker> maker;
    for (;;) {
        const int index = batch.next++;
        if (index >= batch.characters.size() || interrupted) {
            return;
        }
        try {
            if (!maker) {
                maker = std::make_unique<CharacterMaker>(batch.setup, batch.options);
            }
            make_one(batch, *maker, index);
        } catch (const Error& error) {
            const std::lock_guard lock(batch.mutex);
            batch.failures << QStringLiteral("%1: %2").arg(batch.characters[index],
                                                           error.message());
            maker.reset();  // a fresh pad for the next character
        }
        ++batch.done;
    }
}

void show_progress(std::FILE* out, int done, int total, double seconds) {
    constexpr int width = 30;
    const int filled = total > 0 ? width * done / total : width;
    const double rate = seconds > 0 ? done / seconds : 0;
    const int left = rate > 0 ? int((total - done) / rate) : 0;
    std::fprintf(out, "\r[%s%s] %d/%d  %.1f/s  %d:%02d left ", QByteArray(filled, '#').constData(),
                 QByteArray(width - filled, ' ').constData(), done, total, rate, left / 60,
                 left % 60);
    std::fflush(out);
}

// Per-file commands make each character once; a worksheet keeps the list as given.
QStringList characters_for(const ExportOptions& options) {
    if (options.command == ExportCommand::worksheet) {
        return options.characters;
    }
    QStringList unique = options.characters;
    unique.removeDuplicates();
    return unique;
}

}  // namespace

void stop_export_on_interrupt() {
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
}

int run_export(const ExportOptions& options, const ExportSetup& setup, std::FILE* errors,
               bool progress) {
    if (!QDir().mkpath(options.out)) {
        std::fprintf(errors, "inkwren-export: cannot make the folder %s\n",
                     qPrintable(options.out));
        return export_some_missing;
    }
    Batch batch{options, setup, characters_for(options)};
    batch.sequences.resize(std::size_t(batch.characters.size()));
    const int jobs =
        std::max(1, std::min(options.jobs > 0 ? options.jobs : QThread::idealThreadCount(),
                             int(batch.characters.size())));
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QThread>> workers;
    for (int job = 0; job < jobs; ++job) {
        // Threads of Qt's own, so the players' timers may live in them.
        workers.emplace_back(QThread::create([&batch] { work(batch); }));
        workers.back()->start();
    }
    for (const auto& worker : workers) {
        while (!worker->wait(100)) {
            if (progress) {
                show_progress(errors, batch.done, int(batch.characters.size()),
                              clock.elapsed() / 1000.0);
            }
        }
    }
    if (progress) {
        show_progress(errors, batch.done, int(batch.characters.size()), clock.elapsed() / 1000.0);
        std::fprintf(errors, "\n");
    }
    if (interrupted) {
        std::fprintf(errors, "inkwren-export: interrupted; the files written are whole\n");
        return export_interrupted;
    }
    if (options.command == ExportCommand::worksheet) {
        std::vector<WorksheetEntry> entries;
        for (int index = 0; index < batch.characters.size(); ++index) {
            if (batch.sequences[std::size_t(index)]) {
                entries.push_back({batch.characters[index], *batch.sequences[std::size_t(index)]});
            }
        }
        WorksheetOptions sheet;
        sheet.paper = options.paper;
        sheet.title = options.title;
        sheet.trace = options.trace;
        sheet.grid_colour = setup.sheet.grid_color;
        try {
            write_whole_file(
                QDir(options.out).filePath(export_file_name({}, options.command, false)),
                worksheet_pdf(entries, sheet));
        } catch (const Error& error) {
            batch.failures << error.message();
        }
    }
    for (const QString& failure : std::as_const(batch.failures)) {
        std::fprintf(errors, "inkwren-export: %s\n", qPrintable(failure));
    }
    if (!batch.missing.isEmpty()) {
        std::fprintf(errors, "inkwren-export: not in the library: %s\n",
                     qPrintable(batch.missing.join(u' ')));
    }
    return batch.missing.isEmpty() && batch.failures.isEmpty() ? 0 : export_some_missing;
}

}  // namespace inkwren
