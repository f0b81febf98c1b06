// A file system that is really full, for the tests of saves on a full disk: a small tmpfs
// mounted in a mount namespace of the calling process alone, so nothing outside it sees it.
#pragma once

#include <QString>

namespace inkwren::testing {

// Mounts a tmpfs of the given size on folder, in a private mount namespace (as root, or as
// root of a new user namespace). Must run before the process starts threads. False when this
// system allows neither.
bool mount_private_tmpfs(const QString& folder, int kilobytes);

// Fills the file system holding folder to its last byte.
void fill_file_system(const QString& folder);

}  // namespace inkwren::testing
