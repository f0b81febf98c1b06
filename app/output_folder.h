// The folder an export writes into, claimed for the run. Runs writing into the same folder share
// it; the first to come while no other run writes there removes the temporary files that killed
// runs left beside the files they were writing ("永.jpg.Ab12Cd").
#pragma once

#include <QString>

#include <optional>

#include "platform/file_lock.h"

namespace inkwren {

class OutputFolder {
public:
    // Makes the folder when missing; throws Error when it cannot.
    explicit OutputFolder(const QString& path);

    // How many leftovers were removed.
    int leftovers_removed() const { return removed_; }

private:
    std::optional<FileLock> lock_;  // none where the system has no locks; nothing is removed
    int removed_ = 0;
};

// Whether a file name is that of a temporary file the exporter writes a file of its own through.
bool is_export_leftover(const QString& name);

}  // namespace inkwren
