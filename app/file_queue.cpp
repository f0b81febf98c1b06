#include "app/file_queue.h"

#include "platform/error.h"
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
        File file;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return !waiting_.empty() || finishing_; });
            if (waiting_.empty()) {
                return;
            }
            file = std::move(waiting_.front());
            waiting_.pop_front();
            changed_.notify_all();
        }
        if (stopped_()) {
            continue;  // dropped: the run was cut short
        }
        try {
            write_whole_file(file.path, file.bytes);
            written_(file.character, file.path, nullptr);
        } catch (const Error& error) {
            const QString failure = error.message();
            written_(file.character, file.path, &failure);
        }
    }
}

}  // namespace inkwren
