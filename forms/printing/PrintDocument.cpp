#include "forms/printing/PrintDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

QString printModule() {
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("tavlinko-print.so");
    const QStringList candidates = {folder.filePath(name),
                                    folder.filePath(QStringLiteral("../libexec/tavlinko/") + name)};
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    return candidates.first();
}

} // namespace

bool printDocument(QTextDocument &document, QWidget *parent) {
    // Kept loaded once loaded: the print dialog's classes stay registered with Qt.
    QLibrary module(printModule());
    module.setLoadHints(QLibrary::PreventUnloadHint);
    using Print = void (*)(QTextDocument *, QWidget *);
    const auto print = reinterpret_cast<Print>(module.resolve(printEntryPoint));
    if (!print)
        return false;
    print(&document, parent);
    return true;
}
