#include "app/file_queue.h"

#include "platform/whole_file.h"

namespace inkwren {

FileQueue::FileQueue(Written written, std::function<bool()> stopped, int room)
    : written_(std::move(written)),
      stopped_(std::move(stopped)),
      room_(std::size_t(std::max(1, room))),
      thread_(QThread::create([this] { write_files(); })) {
    thread_->start();
}

FileQueue::~FileQueue() {
    finish();
}

void FileQueue::add(const QString& character, const QString& path, QByteArray bytes) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return waiting_.size() < room_; });
    waiting_.push_back({character, path, std::move(bytes)});
    changed_.notify_all();
}

void FileQueue::finish() {
    {
        const std::lock_guard lock(mutex_);
        finishing_ = true;
        changed_.notify_all();
    }
    thread_->wait();
}

void FileQueue::write_files() {
    for (;;) {
        std::deque<File> group;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return !waiting_.empty() || finishing_; });
            if (waiting_.empty()) {
                return;
            }
            group.swap(waiting_);
            changed_.notify_all();
        }
        if (stopped_()) {
            continue;  // dropped: the run was cut short
        }
        write_group(group);
    }
}

// The files waiting are written together, so the disk is waited for once for all of them.
void FileQueue::write_group(const std::deque<File>& group) {
    std::vector<FileToWrite> files;
    files.reserve(group.size());
    for (const File& file : group) {
        files.push_back({file.path, file.bytes});
    }
    const std::vector<std::optional<QString>> failures = write_whole_files(files);
    for (std::size_t index = 0; index < group.size(); ++index) {
        const std::optional<QString>& failure = failures[index];
        written_(group[index].character, group[index].path, failure ? &*failure : nullptr);
    }
}

}  // namespace inkwren
