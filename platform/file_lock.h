// An exclusive lock on a file, held for the life of the object: what lets exactly one of several
// programs started at once go on. The lock goes with the process, so a program that dies frees it.
#pragma once

#include <QString>

#include <optional>

namespace inkwren {

class FileLock {
public:
    // The lock on path (made 0600 when missing), or nothing while another holds it. Throws Error
    // when the file cannot be opened.
    static std::optional<FileLock> try_take(const QString& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int descriptor) : descriptor_(descriptor) {}

    int descriptor_ = -1;
};

}  // namespace inkwren
