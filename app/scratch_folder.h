// The exporter's scratch folders for temporary stroke files, "inkwren-export-Ab12Cd" in the
// temporary folder: each is locked while its run lives, so that the next run can tell the
// folders of runs that were killed (kill -9, a crash) and remove them.
#pragma once

#include <QString>

#include "platform/file_lock.h"

namespace inkwren {

class ScratchFolder {
public:
    // A new folder in parent (the system's temporary folder by default); throws Error when none
    // can be made.
    ScratchFolder();
    explicit ScratchFolder(const QString& parent);
    // Removes the folder with everything in it.
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With a trailing "/".
    QString path() const { return path_ + QLatin1Char('/'); }

private:
    QString path_;
    FileLock lock_;
};

// Removes the scratch folders in parent that belong to this user and that no live run holds;
// answers how many.
int remove_dead_scratch_folders(const QString& parent);

}  // namespace inkwren
