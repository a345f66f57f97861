#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <optional>

// The pictures of the help page being shown, decoded from the bytes the help file holds. The
// format comes from the bytes themselves and only PNG, JPEG, GIF and BMP are read, so no
// picture can bring in a decoder that reaches for other files (as an SVG can). Each picture is
// decoded once however often the page names it, within a size limit and a budget of pixels for
// the page; what is missing, unreadable or over the limits is shown as a plain placeholder.
class HelpPictures {
public:
    static constexpr int largestSide = 4096;
    static constexpr qint64 pixelBudget = 32 * 1024 * 1024;

    // The format of a picture from its first bytes ("png", "jpeg", "gif", "bmp"), or null.
    static const char *format(const QByteArray &bytes);
    static QImage placeholder();

    // Forgets the pictures of the page before; its budget starts anew.
    void newPage();
    // The picture at this path inside the file; bytes is what the file holds there, if anything.
    QImage picture(const QString &path, const std::optional<QByteArray> &bytes);
    qint64 pixelsUsed() const { return m_used; }

private:
    QImage decode(const QByteArray &bytes);

    QHash<QString, QImage> m_decoded; // by the path in lower case
    qint64 m_used = 0;
};
