#include "app/export_batch.h"

#include <QDir>
#include <QThreadPool>

#include <chrono>
#include <csignal>
#include <cstdio>

#include "app/export_maker.h"
#include "platform/error.h"

namespace inkwren {
namespace {

using namespace std::chrono_literals;

// Waits are cut into tenths of a second so that Ctrl+C, which no condition variable hears, is
// seen soon.
constexpr auto poll = 100ms;

// Files made and waiting to be written, for each worker: room for a group to gather while the
// disk syncs the one before.
constexpr int files_waiting_per_job = 16;

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) {
    interrupted = 1;
}

}  // namespace

void stop_export_on_interrupt() {
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
}

bool export_interrupted() {
    return interrupted != 0;
}

ExportBatch::ExportBatch(const ExportOptions& options, const ExportSetup& setup,
                         QStringList characters, int window)
    : options(options),
      setup(setup),
      characters(std::move(characters)),
      worksheet_(options.command == ExportCommand::worksheet),
      window_(std::max(1, window)),
      made_(worksheet_ ? std::size_t(this->characters.size()) : 0) {
    if (!worksheet_) {
        files_ = std::make_unique<FileQueue>(
            [this](const QString& character, const QString& path, const QString* failure) {
                if (failure != nullptr) {
                    note_failure(character, *failure);
                } else if (this->options.verbose) {
                    const std::lock_guard lock(mutex_);
                    std::printf("%s\n", qPrintable(path));
                    std::fflush(stdout);
                }
            },
            [] { return export_interrupted(); },
            files_waiting_per_job * std::max(1, this->options.jobs));
    }
}

void ExportBatch::finish_files() {
    if (files_) {
        files_->finish();
    }
}

void ExportBatch::stop() {
    stopped_ = true;
    const std::lock_guard lock(mutex_);
    changed_.notify_all();
}

bool ExportBatch::stopping() const {
    return stopped_ || export_interrupted();
}

void ExportBatch::work() {
    std::unique_ptr<CharacterMaker> maker;
    for (;;) {
        const int index = next_++;
        if (index >= characters.size() || stopping() || !wait_for_turn(index)) {
            return;
        }
        const QString& character = characters[index];
        std::optional<WorksheetEntry> entry;
        try {
            if (!maker) {
                maker = std::make_unique<CharacterMaker>(setup, options);
            }
            if (worksheet_) {
                entry = make_entry(*maker, character);
            } else {
                make_file(*maker, character);
            }
        } catch (const Error& error) {
            note_failure(character, error.message());
            maker.reset();  // a fresh pad for the next character
        }
        if (worksheet_) {
            hand_over(index, std::move(entry));
        }
        ++done_;
    }
}

// A worksheet's workers wait while the character is a window ahead of the writer, so that the
// pictures waiting to be drawn stay few however long the list.
bool ExportBatch::wait_for_turn(int index) {
    if (!worksheet_) {
        return true;
    }
    std::unique_lock lock(mutex_);
    while (index >= taken_ + window_) {
        if (stopping()) {
            return false;
        }
        changed_.wait_for(lock, poll);
    }
    return true;
}

void ExportBatch::make_file(CharacterMaker& maker, const QString& character) {
    if (!maker.show(character)) {
        const std::lock_guard lock(mutex_);
        missing_ << character;
        return;
    }
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
        case ExportCommand::worksheet:
            return;  // its pictures go to the worksheet's writer instead
        case ExportCommand::info:
            return;  // printed, not made
    }
    // Written on the queue's thread, while this one makes the next character.
    files_->add(
        character,
        QDir(options.out).filePath(export_file_name(character, options.command, options.png)),
        std::move(bytes));
}

std::optional<WorksheetEntry> ExportBatch::make_entry(CharacterMaker& maker,
                                                      const QString& character) {
    if (!maker.show(character)) {
        const std::lock_guard lock(mutex_);
        missing_ << character;
        return std::nullopt;
    }
    return maker.worksheet_entry(character);
}

void ExportBatch::hand_over(int index, std::optional<WorksheetEntry> entry) {
    const std::lock_guard lock(mutex_);
    Made& made = made_[std::size_t(index)];
    made.settled = true;
    made.entry = std::move(entry);
    changed_.notify_all();
}

void ExportBatch::note_failure(const QString& character, const QString& message) {
    const std::lock_guard lock(mutex_);
    failures_ << QStringLiteral("%1: %2").arg(character, message);
}

std::optional<WorksheetEntry> ExportBatch::take(int index, const std::function<void()>& waiting) {
    std::unique_lock lock(mutex_);
    Made& made = made_[std::size_t(index)];
    while (!made.settled) {
        if (stopping()) {
            return std::nullopt;
        }
        changed_.wait_for(lock, poll);
        lock.unlock();
        waiting();
        lock.lock();
    }
    taken_ = index + 1;
    changed_.notify_all();
    return std::exchange(made.entry, std::nullopt);
}

ExportWorkers::ExportWorkers(ExportBatch& batch, int count) : batch_(batch), count_(count) {
    QThreadPool* pool = QThreadPool::globalInstance();
    // Every worker starts at once, with room for Qt's own work beside them.
    pool->setMaxThreadCount(std::max(pool->maxThreadCount(), count + 1));
    for (int job = 0; job < count; ++job) {
        pool->start([this] {
            batch_.work();
            const std::lock_guard lock(mutex_);
            ++finished_;
            changed_.notify_all();
        });
    }
}

ExportWorkers::~ExportWorkers() {
    batch_.stop();
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return finished_ == count_; });
    }
    batch_.finish_files();
}

bool ExportWorkers::wait(int milliseconds) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                             [this] { return finished_ == count_; });
}

}  // namespace inkwren
