#pragma once

#include <QString>
#include <stdexcept>

// A file the translator needs is missing, or cannot be read or written. what() is the
// technical English text with the path; a form tells the user in the user's own language from
// kind() and path().
class FileError : public std::runtime_error {
public:
    enum Kind { Missing, Unreadable, Unwritable };

    FileError(Kind kind, const QString &path, const QString &technical)
        : std::runtime_error(technical.toStdString()), m_kind(kind), m_path(path) {}

    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }

private:
    Kind m_kind;
    QString m_path;
};
