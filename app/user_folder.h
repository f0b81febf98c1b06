// Inkwren installed on the system: the read-only data sits in share/inkwren beside the bin
// folder, and each user gets an installation folder of their own in the XDG data home, where the
// files the program writes live and the shared data is reached through links, never copied.
// Run from the build tree, none of this applies.
#pragma once

#include <QString>

#include <optional>

namespace inkwren {

struct InstalledLayout {
    QString shared;  // share/inkwren, with a trailing "/"
    QString user;    // the user's own folder, with a trailing "/"
};

// The layout when the program in application_dir is an installed one (its share/inkwren holds
// the stroke archive); nothing otherwise. user_data_home is the XDG data home.
std::optional<InstalledLayout> installed_layout(const QString& application_dir,
                                                const QString& user_data_home);

// Makes the user's folder and links every shared file and folder it lacks. Files the program
// writes are never linked, so they are made in the user's folder. Throws Error when the folder
// cannot be made.
void prepare_user_folder(const InstalledLayout& layout);

// Names the folder as the installation path in the settings file when the file names none.
void record_installation_path(const QString& registry_path, const QString& folder);

}  // namespace inkwren
