#pragma once

#include <QString>
#include <stdexcept>

namespace tovik {

// The one error type of the program. Its message is the text the user sees, so
// every reader and writer throws it with a sentence that names what went wrong.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace tovik
