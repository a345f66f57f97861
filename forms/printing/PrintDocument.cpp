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
    // The module stays loaded when `module` goes: QLibrary unloads only when told to.
    QLibrary module(printModule());
    using Print = void (*)(QTextDocument *, QWidget *);
    const auto print = reinterpret_cast<Print>(module.resolve(printEntryPoint));
    if (!print)
        return false;
    print(&document, parent);
    return true;
}
