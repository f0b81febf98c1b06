// Running inkwren-export: the characters spread over worker threads, each file written whole,
// a progress bar on a terminal, Ctrl+C letting the files being written finish and no more. A
// worksheet is drawn as its characters are made and put in place only once complete: an
// interrupted or failed worksheet run leaves the old worksheet.pdf as it was.
#pragma once

#include <QStringList>

#include <cstdio>

#include "app/export_options.h"
#include "app/export_setup.h"

namespace inkwren {

// Exit statuses beyond 0 (everything made) and 2 (bad usage). Characters missing from the
// library and files that could not be written are both status 1.
inline constexpr int export_some_missing = 1;
inline constexpr int export_interrupted_status = 130;

// Makes the files; answers the exit status. Messages go to errors, the progress bar too when
// progress is set. Leftovers of killed runs (scratch folders, half-written files in the output
// folder) are removed first.
int run_export(const ExportOptions& options, const ExportSetup& setup, std::FILE* errors,
               bool progress);

// The info command: the characters' information on out; answers the exit status.
int print_info(const ExportOptions& options, const ExportSetup& setup, std::FILE* out);

}  // namespace inkwren
