#include "app/export_run.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

#include "app/export_batch.h"
#include "app/export_info.h"
#include "app/export_maker.h"
#include "app/output_folder.h"
#include "app/scratch_folder.h"
#include "charinfo/frequency_order.h"
#include "langtable/text_keys.h"
#include "output/worksheet.h"
#include "platform/atomic_file.h"
#include "platform/error.h"

namespace inkwren {
namespace {

// Characters a worksheet's workers may make ahead of the writer, for each worker: enough that
// none waits for a slow character before it, few enough that memory stays flat.
constexpr int worksheet_window_per_job = 4;

// The progress bar on a terminal, redrawn at most ten times a second.
class Progress {
public:
    Progress(std::FILE* out, bool shown, int total) : out_(out), shown_(shown), total_(total) {
        clock_.start();
    }

    void update(int done) {
        if (shown_ && last_.elapsed() >= 100) {
            draw(done);
        }
    }

    void end(int done) {
        if (shown_) {
            draw(done);
            std::fprintf(out_, "\n");
        }
    }

private:
    void draw(int done) {
        constexpr int width = 30;
        const double seconds = clock_.elapsed() / 1000.0;
        const int filled = total_ > 0 ? width * done / total_ : width;
        const double rate = seconds > 0 ? done / seconds : 0;
        const int left = rate > 0 ? int((total_ - done) / rate) : 0;
        std::fprintf(
            out_, "\r[%s%s] %d/%d  %.1f/s  %d:%02d left ", QByteArray(filled, '#').constData(),
            QByteArray(width - filled, ' ').constData(), done, total_, rate, left / 60, left % 60);
        std::fflush(out_);
        last_.start();
    }

    std::FILE* out_;
    bool shown_;
    int total_;
    QElapsedTimer clock_;
    QElapsedTimer last_;
};

// Per-file commands make each character once; a worksheet keeps the list as given, or puts
// the most common first.
QStringList characters_for(const ExportOptions& options, const ExportSetup& setup) {
    if (options.command == ExportCommand::worksheet || options.command == ExportCommand::info) {
        return options.frequency_order ? most_common_first(options.characters, setup.char_info)
                                       : options.characters;
    }
    QStringList unique = options.characters;
    unique.removeDuplicates();
    return unique;
}

// More workers than cores make nothing sooner and each holds a pad and its pictures.
int worker_count(const ExportOptions& options, int characters, std::FILE* errors) {
    const int cores = std::max(1, QThread::idealThreadCount());
    const int asked = options.jobs > 0 ? options.jobs : cores;
    if (std::min(asked, characters) > cores && !options.quiet) {
        std::fprintf(errors,
                     "inkwren-export: --jobs %d is more than this machine runs at once; using %d\n",
                     asked, cores);
    }
    return std::clamp(std::min(asked, cores), 1, std::max(1, characters));
}

WorksheetOptions worksheet_options(const ExportOptions& options, const ExportSetup& setup) {
    WorksheetOptions sheet;
    sheet.paper = options.paper;
    sheet.title = options.title;
    sheet.trace = options.trace;
    sheet.grid = options.worksheet_grid.value_or(WorksheetGrid::nine);
    sheet.name_line = options.name_line;
    sheet.sheet = setup.sheet;
    sheet.number_prefix =
        setup.language.lookup_text(QString::fromLatin1(text_key::sheet_number_prefix));
    sheet.number_suffix =
        setup.language.lookup_text(QString::fromLatin1(text_key::sheet_number_suffix));
    return sheet;
}

void make_files(ExportBatch& batch, int jobs, Progress& progress) {
    ExportWorkers workers(batch, jobs);
    while (!workers.wait(100)) {
        progress.update(batch.done());
    }
}

// The worksheet goes to a temporary file entry by entry, in the list's order, as the workers
// make them, and replaces worksheet.pdf only once whole. Answers false, with nothing written,
// when interrupted or when none of the characters could be made (errors is told so).
bool make_worksheet(ExportBatch& batch, int jobs, Progress& progress, std::FILE* errors) {
    const ExportOptions& options = batch.options;
    AtomicFile file(QDir(options.out).filePath(export_file_name({}, options.command, false)));
    // A killed run's spool goes with its scratch folder at the next run.
    const ScratchFolder spool;
    WorksheetOptions worksheet = worksheet_options(options, batch.setup);
    worksheet.spool_folder = spool.path();
    WorksheetWriter writer(file, std::move(worksheet));
    {
        ExportWorkers workers(batch, jobs);
        // A write that failed (a full disk) ends the drawing; the commit below says why.
        for (int index = 0;
             index < batch.characters.size() && !export_interrupted() && !file.failed(); ++index) {
            const std::optional<WorksheetEntry> entry =
                batch.take(index, [&] { progress.update(batch.done()); });
            if (entry && !export_interrupted()) {
                writer.add(*entry);
            }
        }
    }
    if (export_interrupted()) {
        return false;
    }
    if (writer.entries() == 0 && !file.failed()) {
        std::fprintf(errors,
                     "inkwren-export: no worksheet written: none of the characters could be "
                     "made\n");
        return false;
    }
    writer.finish();
    file.commit();
    if (options.verbose) {
        std::printf("%s\n", qPrintable(file.path()));
        std::fflush(stdout);
    }
    return true;
}

void report(const ExportBatch& batch, const QStringList& failures, std::FILE* errors) {
    for (const QString& failure : failures) {
        std::fprintf(errors, "inkwren-export: %s\n", qPrintable(failure));
    }
    if (!batch.missing().isEmpty()) {
        std::fprintf(errors, "inkwren-export: not in the library: %s\n",
                     qPrintable(batch.missing().join(u' ')));
    }
}

}  // namespace

int run_export(const ExportOptions& options, const ExportSetup& setup, std::FILE* errors,
               bool progress_shown) {
    remove_dead_scratch_folders(QDir::tempPath());
    std::optional<OutputFolder> out;
    try {
        out.emplace(options.out);
    } catch (const Error& error) {
        std::fprintf(errors, "inkwren-export: %s\n", qPrintable(error.message()));
        return export_some_missing;
    }
    const QStringList characters = characters_for(options, setup);
    const int jobs = worker_count(options, int(characters.size()), errors);
    ExportBatch batch(options, setup, characters, worksheet_window_per_job * jobs);
    Progress progress(errors, progress_shown, int(characters.size()));
    QStringList failures;
    bool made = true;
    if (options.command == ExportCommand::worksheet) {
        try {
            made = make_worksheet(batch, jobs, progress, errors);
        } catch (const Error& error) {
            failures << error.message();
        }
    } else {
        make_files(batch, jobs, progress);
    }
    progress.end(batch.done());
    if (export_interrupted()) {
        std::fprintf(errors, "inkwren-export: interrupted; %s\n",
                     options.command == ExportCommand::worksheet
                         ? "no worksheet was written, an older one is left as it was"
                         : "the files written are whole");
        return export_interrupted_status;
    }
    failures = batch.failures() + failures;
    report(batch, failures, errors);
    const bool everything = made && failures.isEmpty() && batch.missing().isEmpty();
    return everything ? 0 : export_some_missing;
}

int print_info(const ExportOptions& options, const ExportSetup& setup, std::FILE* out) {
    const QStringList characters = characters_for(options, setup);
    const QByteArray text =
        options.json ? info_json(characters, setup) : info_lines(characters, setup);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), out);
    return std::fflush(out) == 0 ? 0 : export_some_missing;
}

}  // namespace inkwren
