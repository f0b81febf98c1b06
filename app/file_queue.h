// The files of a batch written whole (platform/whole_file.h) on a thread of their own, so that
// the workers go on making the next files while the disk syncs the last ones. The files that
// gathered meanwhile are written as one group, which waits for the disk once. Only a few files
// wait: a worker offering one more waits for room.
#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace inkwren {

class FileQueue {
public:
    // Told of every file once written, or with the reason it could not be; from the writing
    // thread. stopped says when files still waiting are to be dropped (an interrupted run).
    using Written =
        std::function<void(const QString& character, const QString& path, const QString* failure)>;
    FileQueue(Written written, std::function<bool()> stopped, int room);
    // Writes the files still waiting, unless stopped.
    ~FileQueue();
    FileQueue(const FileQueue&) = delete;
    FileQueue& operator=(const FileQueue&) = delete;

    void add(const QString& character, const QString& path, QByteArray bytes);
    // Returns once every file added is written or dropped.
    void finish();

private:
    struct File {
        QString character;
        QString path;
        QByteArray bytes;
    };

    void write_files();
    void write_group(const std::deque<File>& group);

    Written written_;
    std::function<bool()> stopped_;
    const std::size_t room_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<File> waiting_;
    bool finishing_ = false;
    std::unique_ptr<QThread> thread_;
};

}  // namespace inkwren
