#include "core/settings/UnsavedSettingsNote.h"

#include "core/settings/SettingsIdentity.h"

#include <QFile>
#include <QStandardPaths>

namespace {

QString notePath(const QString &settingsFile) {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/tavlinko-unsaved-") + settingsFileKey(settingsFile);
}

} // namespace

void noteUnsavedSettings(const QString &settingsFile) {
    QFile note(notePath(settingsFile));
    if (note.open(QIODevice::WriteOnly))
        note.write(canonicalSettingsFile(settingsFile).toUtf8());
}

bool takeUnsavedSettingsNote(const QString &settingsFile) {
    return QFile::remove(notePath(settingsFile));
}
