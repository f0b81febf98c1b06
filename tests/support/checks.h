// Small checks many tests share: the message of a refusal, and what a folder holds.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/error.h"

namespace inkwren::testing {

// The message of the Error action throws, or "(no error)" when it throws none.
inline QString error_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

// The names of everything in folder, hidden files too, sorted.
inline QStringList entries_in(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace inkwren::testing
