// Running inkwren-export: the characters spread over worker threads, each file written whole,
// a progress bar on a terminal, Ctrl+C letting the files being written finish and no more.
#pragma once

#include <QStringList>

#include <cstdio>

#include "app/export_options.h"
#include "app/export_setup.h"

namespace inkwren {

// Exit statuses beyond 0 (everything made) and 2 (bad usage).
inline constexpr int export_some_missing = 1;
inline constexpr int export_interrupted = 130;

// Makes the files; answers the exit status. Messages go to errors, the progress bar too when
// progress is set.
int run_export(const ExportOptions& options, const ExportSetup& setup, std::FILE* errors,
               bool progress);

// Ctrl+C asks a running export to stop after the files being written.
void stop_export_on_interrupt();

}  // namespace inkwren
