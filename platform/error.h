// The one exception type of the program: a failure with a message a user can read.
// It is thrown wherever a file, the user or a library lets us down and caught where events
// enter the program, which shows the message and carries on.
#pragma once

#include <QString>

#include <stdexcept>

namespace inkwren {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

// The system's own words for an errno value, as in "No space left on device".
inline QString system_reason(int error) {
    return qt_error_string(error);
}

}  // namespace inkwren
