// The process's resident memory as the kernel reports it, for the start-up benchmark's reports.
#pragma once

#include <QByteArray>
#include <QFile>

namespace inkwren {

// The "VmRSS:" line of /proc/self/status, blanks simplified; empty where there is none.
inline QByteArray resident_memory_line() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                return line.simplified();
            }
        }
    }
    return {};
}

}  // namespace inkwren
