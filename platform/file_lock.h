// Advisory locks (flock) held for the life of the object and let go by the system when the
// process ends, however it ends: what lets exactly one of several programs started at once go
// on, and what tells a live run's folders from those a killed run left behind.
#pragma once

#include <QString>

#include <optional>

namespace inkwren {

class FileLock {
public:
    enum class Kind { shared, exclusive };

    // The exclusive lock on the file at path (made 0600 when missing), or nothing while another
    // holds it. Throws Error when the file cannot be opened.
    static std::optional<FileLock> try_take(const QString& path);
    // A lock on a folder, or nothing when a lock in the way is held or the folder cannot be
    // opened; a symbolic link is never followed. wait_for_folder waits for the holders instead.
    static std::optional<FileLock> try_lock_folder(const QString& folder, Kind kind);
    static std::optional<FileLock> wait_for_folder(const QString& folder, Kind kind);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Shares a lock held alone, waiting for a holder of an exclusive lock to let go.
    void share();
    // False once the locked file or folder was removed, as another run may do with a folder it
    // found unlocked just before this lock was taken.
    bool still_linked() const;

private:
    explicit FileLock(int descriptor) : descriptor_(descriptor) {}
    static std::optional<FileLock> lock_folder(const QString& folder, int operation);

    int descriptor_ = -1;
};

}  // namespace inkwren
