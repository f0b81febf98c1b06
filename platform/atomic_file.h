// A file written whole or not at all. The bytes go to a temporary file beside the target; only
// once every write, the sync and the close succeeded does it replace the target, and the folder
// is synced after the rename. Until then the old file stays as it was, byte for byte, also when
// the disk fills up or the program is killed halfway.
#pragma once

#include <QIODevice>
#include <QString>

namespace inkwren {

// Whether a file must reach the disk before it replaces the old one. The program's own working
// copies (the stroke files it rewrites in "tmp/" for every character shown) are made again from
// the archive whenever needed, so they skip the syncs: they are still replaced whole, never
// left half written, but a power cut may take the latest of them. Everything the user keeps is
// synced.
enum class Durability { synced, working_copy };

class AtomicFile : public QIODevice {
public:
    // Whether commit() syncs the folder after the rename, or leaves that to the caller, who
    // commits several files into one folder and syncs it once (sync_folder_of).
    enum class FolderSync { now, by_caller };

    // Creates the temporary file beside path ("path.Ab12Cd"); throws Error with the system's
    // reason when it cannot.
    explicit AtomicFile(QString path, Durability durability = Durability::synced);
    // A file never committed takes its temporary file with it.
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const QString& path() const { return path_; }
    // A write already failed: commit() will throw, so a long writer may stop at once.
    bool failed() const { return error_ != 0; }

    // Puts the written bytes in place of the target. Throws Error naming the target with the
    // system's reason ("No space left on device") when any write, the sync, the close or the
    // rename failed; the target is then unchanged and the temporary file gone.
    void commit(FolderSync folder = FolderSync::now);

    // Hands the bytes written so far to the disk without waiting for them, so that committing
    // several files waits for the disk once for all of them rather than for each in turn.
    void start_writing();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flush_buffer();
    [[noreturn]] void fail(int error);
    void discard();

    QString path_;
    QByteArray temp_path_;
    Durability durability_;
    int fd_ = -1;
    int error_ = 0;  // the first failure's errno; writes after it are refused
    QByteArray buffer_;
};

// Syncs the folder holding path, so that files renamed into it stay there after a crash. Throws
// Error naming path with the system's reason when it cannot.
void sync_folder_of(const QString& path);

}  // namespace inkwren
