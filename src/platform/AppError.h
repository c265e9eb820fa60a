#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the program. Its text is German and is shown to the user as it stands.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
