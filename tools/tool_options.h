// The command lines of the developer tools: "--name value" options, and the offscreen platform
// the tools draw on, since they paint pictures without a display.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

#include "platform/error.h"

namespace inkwren::tools {

// The value after --name. A missing option takes the fallback, or without one throws Error
// carrying the usage line.
inline QString option(const QStringList& arguments, const QString& name, const QString& usage,
                      const std::optional<QString>& fallback = std::nullopt) {
    const qsizetype at = arguments.indexOf(name);
    if (at >= 0 && at + 1 < arguments.size()) {
        return arguments[at + 1];
    }
    if (fallback) {
        return *fallback;
    }
    throw Error(QStringLiteral("usage: ") + usage);
}

// Call before the application object is made.
inline void prefer_offscreen_platform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace inkwren::tools
