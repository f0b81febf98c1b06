// The characters of one run of inkwren-export and the worker threads that make them: each
// character's file written whole, or, for a worksheet, its pictures handed to the one writer in
// list order, the workers never more than a window of characters ahead of it.
#pragma once

#include <QImage>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/export_options.h"
#include "app/export_setup.h"
#include "app/file_queue.h"
#include "output/worksheet.h"

namespace inkwren {

class CharacterMaker;

class ExportBatch {
public:
    // window: for a worksheet, how many characters may be made ahead of the writer.
    ExportBatch(const ExportOptions& options, const ExportSetup& setup, QStringList characters,
                int window);

    const ExportOptions& options;
    const ExportSetup& setup;
    const QStringList characters;

    int done() const { return done_; }
    // Under no lock: read them once the workers are joined.
    const QStringList& missing() const { return missing_; }
    const QStringList& failures() const { return failures_; }

    // Worksheets: the entry of the character at index, once made, and no longer kept here;
    // nothing when the character was left out or the run stops first. Indices are taken in
    // order. waiting is called every tenth of a second until then.
    std::optional<WorksheetEntry> take(int index, const std::function<void()>& waiting);

    // The workers stop after the characters they are making.
    void stop();
    // Once the workers are joined: returns when their files are written.
    void finish_files();
    // The work of one worker thread.
    void work();

private:
    struct Made {
        bool settled = false;
        std::optional<WorksheetEntry> entry;  // none: not in the library, or failed
    };

    bool stopping() const;
    bool wait_for_turn(int index);
    void make_file(CharacterMaker& maker, const QString& character);
    std::optional<WorksheetEntry> make_entry(CharacterMaker& maker, const QString& character);
    void hand_over(int index, std::optional<WorksheetEntry> entry);
    void note_failure(const QString& character, const QString& message);

    const bool worksheet_;
    const int window_;
    std::atomic<int> next_{0};
    std::atomic<int> done_{0};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    QStringList missing_;
    QStringList failures_;
    std::vector<Made> made_;            // worksheets, one a character
    int taken_ = 0;                     // worksheets: characters the writer took
    std::unique_ptr<FileQueue> files_;  // the other commands' files
};

// The batch's workers, stopped and waited for however the run ends. They run on the threads of
// Qt's global pool: the raster engine hands a large fill from any other thread to that pool and
// waits for it, which with a worker per core only adds switching between threads, while a fill
// on one of the pool's own threads stays on it.
class ExportWorkers {
public:
    ExportWorkers(ExportBatch& batch, int count);
    ~ExportWorkers();
    ExportWorkers(const ExportWorkers&) = delete;
    ExportWorkers& operator=(const ExportWorkers&) = delete;

    // Waits up to the time given; true once every worker has finished.
    bool wait(int milliseconds);

private:
    ExportBatch& batch_;
    const int count_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int finished_ = 0;
};

// Ctrl+C (or SIGTERM) asks a running export to stop after the files being written.
void stop_export_on_interrupt();
bool export_interrupted();

}  // namespace inkwren
