// An advisory lock (flock) on a folder, held as long as the object lives and let go by the
// system when the process dies, however it dies: how runs of the exporter tell a live run's
// folders from those a killed run left behind.
#pragma once

#include <QString>

#include <optional>

namespace inkwren {

class FolderLock {
public:
    enum class Kind { shared, exclusive };

    // The lock, or nothing when another holds a lock in the way or the folder cannot be opened.
    // A symbolic link is never followed.
    static std::optional<FolderLock> try_lock(const QString& folder, Kind kind);
    // The same, waiting for holders of locks in the way to let go.
    static std::optional<FolderLock> wait_for(const QString& folder, Kind kind);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    ~FolderLock();

    // Shares a lock held alone, waiting for a holder of an exclusive lock to let go.
    void share();
    // False once the folder was removed while locked.
    bool folder_exists() const;

private:
    explicit FolderLock(int fd) : fd_(fd) {}
    static std::optional<FolderLock> lock(const QString& folder, int operation);
    int fd_ = -1;
};

}  // namespace inkwren
