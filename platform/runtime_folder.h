// The user's private runtime folder, where a running program keeps what must be the user's alone
// (its socket and its lock): never a folder another account can write to or plant a link in.
#pragma once

#include <QString>

#include <sys/types.h>

namespace inkwren {

// $XDG_RUNTIME_DIR when it is a real folder of the user's that nobody else may write to;
// otherwise inkwren-<uid> in the temporary folder, made 0700 when missing. Throws Error when
// neither is the user's alone.
QString private_runtime_folder();

// The same with the environment given: an empty xdg_runtime_dir means it is not set.
QString private_runtime_folder(const QString& xdg_runtime_dir, const QString& temp_folder,
                               uid_t user);

}  // namespace inkwren
