// A program run as a child of its own, so that its time, processor time and peak memory are its
// alone: what the batch benchmarks measure the exporter by.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace inkwren {

struct ChildRun {
    double seconds = 0;
    double cpu_seconds = 0;
    double peak_mb = 0;
};

// Runs the program with the arguments and waits for it; says so when it cannot start or fails.
inline ChildRun run_child(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString& argument : arguments) {
        bytes.push_back(argument.toUtf8());
    }
    std::vector<char*> argv;
    for (QByteArray& argument : bytes) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::printf("  (%s cannot be started)\n", qPrintable(program));
        return {};
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const auto seconds = [](timeval time) { return time.tv_sec + time.tv_usec / 1e6; };
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("  (exit status %d)\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return {timer.nsecsElapsed() / 1e9, seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_maxrss / 1024.0};
}

}  // namespace inkwren
