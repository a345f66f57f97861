#pragma once

#include <QString>
#include <stdexcept>

// Raised when text that must be a whole number is not one (a malformed item number in a
// language file, a bad integer translation). It ends the current operation; the application's
// event loop shows the message in an error box. what() is UTF-8.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString &message) : std::runtime_error(message.toStdString()) {}

    static ConvertError invalidInteger(const QString &text) {
        return ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
};
