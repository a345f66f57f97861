#include "core/settings/Settings.h"

#include "core/settings/DataFolders.h"
#include "core/settings/IniFile.h"
#include "core/settings/MonitorSettings.h"
#include "core/settings/RulerState.h"
#include "core/settings/TextFile.h"
#include "core/translation/LangTranslator.h"
#include "core/units/RulerLimits.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString settingsFileName = QStringLiteral("tavlinko.ini");
const QString languageFolder = QStringLiteral("jazyky");
const QString skinFolder = QStringLiteral("skin");
const QString autodetect = QStringLiteral("Autodetekce");

// A restore token as desktops give them: up to 128 ASCII letters, digits, dots, dashes and
// underscores. Checked by hand: a regular expression would load its engine at every start.
bool looksLikeToken(const QString &text) {
    constexpr qsizetype longestToken = 128;
    return text.size() <= longestToken && std::all_of(text.begin(), text.end(), [](QChar c) {
               const char16_t u = c.unicode();
               return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                      (u >= u'0' && u <= u'9') || u == u'.' || u == u'_' || u == u'-';
           });
}

// What the stored keys are read into and written from: the state plus the window's place and
// size. While reading, the size is the window's size by default.
struct SettingsView {
    RulerState &s;
    QPoint &pos;
    QSize size;
};

// One stored setting. Both the reader and the writer walk this one table, so a key cannot be
// read under one name and written under another, and the file keeps this order.
struct SettingKey {
    const char *section;
    const char *key;
    bool integer;
    const char *fixedDefault; // nullptr: a missing key keeps the current value
    // Keys that ordinary use never needs stay out of a file that lacks them while they hold
    // their default, so such a file reads and writes exactly as before.
    bool onlyWhenChanged;
    QString (*get)(const SettingsView &);
    void (*set)(SettingsView &, const QString &);
};

QString number(int value) {
    return QString::number(value);
}

int toInt(const QString &text) {
    return text.toInt();
}

int place(const QString &text) {
    return qBound(-farthestPlace, toInt(text), farthestPlace);
}

// Values that would make the ruler unusable are repaired when read: an invisible window, a
// resolution that turns every physical unit into zero pixels, a length that is no length.
constexpr int defaultLength = 472;

const SettingKey settingKeys[] = {
    {"Obecne", "X", true, nullptr, false, [](const SettingsView &v) { return number(v.pos.x()); },
     [](SettingsView &v, const QString &t) { v.pos.setX(place(t)); }},
    {"Obecne", "Y", true, nullptr, false, [](const SettingsView &v) { return number(v.pos.y()); },
     [](SettingsView &v, const QString &t) { v.pos.setY(place(t)); }},
    {"Obecne", "Delka", true, nullptr, false,
     [](const SettingsView &v) {
         return number(v.s.Horizontalni ? v.size.width() : v.size.height());
     },
     [](SettingsView &v, const QString &t) {
         const int length = toInt(t);
         v.s.Delka = length > 0 ? length : v.size.width();
     }},
    {"Obecne", "Poloha", false, "Horizontalni", false,
     [](const SettingsView &v) {
         return v.s.Horizontalni ? QStringLiteral("Horizontalni") : QStringLiteral("Vertikalni");
     },
     [](SettingsView &v, const QString &t) {
         v.s.Horizontalni = t.toUpper() == QLatin1String("HORIZONTALNI");
     }},
    {"Obecne", "Obracene", false, "Ne", false,
     [](const SettingsView &v) { return AnoNe(v.s.Obracene); },
     [](SettingsView &v, const QString &t) { v.s.Obracene = t.toUpper() == QLatin1String("ANO"); }},
    {"Obecne", "Jazyk", false, "Autodetekce", false,
     [](const SettingsView &v) { return v.s.Jazyk; },
     [](SettingsView &v, const QString &t) { v.s.Jazyk = t; }},
    {"Obecne", "Vzhled", false, "Funny", false, [](const SettingsView &v) { return v.s.Vzhled; },
     [](SettingsView &v, const QString &t) { v.s.Vzhled = t; }},
    {"Obecne", "Vzdy nahore", false, "Ne", false,
     [](const SettingsView &v) { return AnoNe(v.s.VzdyNahore); },
     [](SettingsView &v, const QString &t) { v.s.VzdyNahore = JeAno(t); }},
    {"Obecne", "Pruhlednost", true, "255", false,
     [](const SettingsView &v) { return number(v.s.Pruhlednost); },
     [](SettingsView &v, const QString &t) { v.s.Pruhlednost = opacityRange.bounded(toInt(t)); }},
    {"Mereni", "Jednotka", true, "0", false,
     [](const SettingsView &v) { return number(v.s.Jednotka); },
     [](SettingsView &v, const QString &t) { v.s.Jednotka = toInt(t); }},
    {"Mereni", "Rozliseni X", true, nullptr, false,
     [](const SettingsView &v) { return number(v.s.RozliseniX); },
     [](SettingsView &v, const QString &t) {
         if (toInt(t) > 0)
             v.s.RozliseniX = toInt(t);
     }},
    {"Mereni", "Rozliseni Y", true, nullptr, false,
     [](const SettingsView &v) { return number(v.s.RozliseniY); },
     [](SettingsView &v, const QString &t) {
         if (toInt(t) > 0)
             v.s.RozliseniY = toInt(t);
     }},
    {"Mereni", "Prichytit k hranam", false, "Ne", true,
     [](const SettingsView &v) { return AnoNe(v.s.snapToEdges); },
     [](SettingsView &v, const QString &t) { v.s.snapToEdges = JeAno(t); }},
    {"Mereni", "Tolerance hran", true, nullptr, true,
     [](const SettingsView &v) { return number(v.s.edgeTolerance); },
     [](SettingsView &v, const QString &t) {
         v.s.edgeTolerance = qBound(0, toInt(t), largestEdgeTolerance);
     }},
    // Handed back to the desktop as it came: only a token's own characters, at a token's length.
    {"Mereni", "Povoleni sdileni obrazovky", false, "", true,
     [](const SettingsView &v) { return v.s.screenCastToken; },
     [](SettingsView &v, const QString &t) {
         v.s.screenCastToken = looksLikeToken(t) ? t : QString();
     }},
};

// The unit list a new settings file starts with.
const char16_t *const firstRunUnitLines[] = {
    u"Pixel;px;1;0;5",
    u"Centimetr;cm;1;1;0,1",
    u"Palec;in;1;2;0,1",
    u"Procenta délky;%;1;3;1",
    u"-;Xx;1;0;10",
    u"Decimetr;dm;10;1;0,05",
    u"Stopa;ft;12;2;0,01",
    u"-;Xx;1;0;10",
    u"Mapa 1:10 000;m;0,01;1;20",
    u"Mapa 1:100 000;km;1;1;0,1",
    u"Mapa 1:200 000;km;0,5;1;0,2",
};

void readSetting(const IniFile &ini, const SettingKey &entry, SettingsView &view) {
    const QString section = QLatin1String(entry.section);
    const QString key = QLatin1String(entry.key);
    const QString fallback =
        entry.fixedDefault ? QLatin1String(entry.fixedDefault) : entry.get(view);
    if (entry.integer)
        entry.set(view, number(ini.readInteger(section, key, toInt(fallback))));
    else
        entry.set(view, ini.readString(section, key, fallback));
}

// A switch is an argument starting with "-" or "/"; its name is the rest in upper case.
bool switchName(const QString &argument, QString *name) {
    if (!argument.startsWith(u'-') && !argument.startsWith(u'/'))
        return false;
    *name = argument.mid(1).toUpper();
    return true;
}

// The name under which folder holds an entry called name: name itself when it exists, else
// the first entry whose name differs only in letter case, since settings files and shortcuts
// made on Windows spell names without regard to case. Empty when there is neither.
QString entryName(const QString &folder, const QString &name, QDir::Filters kind) {
    // Nothing outside the folder, nor the folder itself.
    if (!isPlainName(name))
        return QString();
    const QFileInfo exact(QDir(folder).filePath(name));
    if (kind == QDir::Dirs ? exact.isDir() : exact.isFile())
        return name;
    const QStringList entries = QDir(folder).entryList(kind | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return QString();
}

// The same over the data folders of one kind, the user's first, so that the user's copy wins.
QString dataEntryName(const RulerState &s, const QString &kind, const QString &name,
                      QDir::Filters filter) {
    for (const QString &folder : dataFolders(s.CestaProgramu, kind))
        if (const QString found = entryName(folder, name, filter); !found.isEmpty())
            return found;
    return QString();
}

void applyConfig(RulerState &s, const QString &argument) {
    // The switch character, "CONFIG" and the one separator after it, whatever it is.
    QString value = argument.mid(8);
    if (!value.contains(u'.'))
        value += QLatin1String(".ini");
    if (!QDir::isAbsolutePath(value))
        value = s.CestaProgramu + value;
    if (QFileInfo(value).isFile())
        s.SouborNastaveni = value;
}

void applyLanguage(RulerState &s, const QString &argument) {
    QString value = argument.mid(10);
    if (!value.contains(u'.'))
        value += QLatin1String(".lng");
    if (!QDir::isAbsolutePath(value)) {
        if (const QString found = dataEntryName(s, languageFolder, value, QDir::Files);
            !found.isEmpty())
            s.Jazyk = found;
        return;
    }
    // Language files are always opened from a language folder, so an absolute path is only
    // usable when it points into one; anything else would name a file never opened.
    const QFileInfo file(value);
    if (!file.isFile())
        return;
    const QString folder = file.absoluteDir().canonicalPath();
    for (const QString &languages : dataFolders(s.CestaProgramu, languageFolder))
        if (folder == QDir(languages).canonicalPath())
            s.Jazyk = file.fileName();
}

void applySkin(RulerState &s, const QString &argument) {
    const QString value = argument.mid(6);
    if (const QString found = dataEntryName(s, skinFolder, value, QDir::Dirs); !found.isEmpty())
        s.Vzhled = found;
}

// The language file written for the system's language, the one for its country first (de_AT
// before de on an Austrian system). A Slovak reader who finds no Slovak file reads Czech best.
// Without any, English.
QString systemLanguageFile(const RulerState &s, const QLocale &system) {
    QString sameLanguage;
    QString czech;
    for (const QString &name : languageFiles(s.CestaProgramu)) {
        const QLocale locale = languageFileLocale(dataFile(s.CestaProgramu, languageFolder, name));
        if (locale.language() == system.language()) {
            if (locale.territory() == system.territory())
                return name;
            if (sameLanguage.isEmpty())
                sameLanguage = name;
        }
        if (locale.language() == QLocale::Czech && czech.isEmpty())
            czech = name;
    }
    if (!sameLanguage.isEmpty())
        return sameLanguage;
    if (system.language() == QLocale::Slovak && !czech.isEmpty())
        return czech;
    return QStringLiteral("english.lng");
}

} // namespace

bool isPlainName(const QString &name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(u':') && !name.contains(QChar(0));
}

QString languageFilePath(const RulerState &s) {
    const QString chosen = dataFile(s.CestaProgramu, languageFolder, s.Jazyk);
    return isPlainName(s.Jazyk) && isRegularFile(chosen)
               ? chosen
               : dataFile(s.CestaProgramu, languageFolder, QStringLiteral("czech.lng"));
}

QString skinFolderPath(const RulerState &s) {
    return isPlainName(s.Vzhled) ? dataFile(s.CestaProgramu, skinFolder, s.Vzhled) : QString();
}

QString VychoziSouborNastaveni(const QString &cestaProgramu) {
    const QString besideProgram = cestaProgramu + settingsFileName;
    // An installed program (its data in ../share/tavlinko) keeps each user's settings apart even
    // when its folder happens to be writable, as /usr/bin is for root: a settings file there
    // would be shared by everyone and outlive the package.
    if (QFileInfo::exists(besideProgram) ||
        (!isInstalled(cestaProgramu) && QFileInfo(cestaProgramu).isWritable()))
        return besideProgram;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1String("/tavlinko");
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder + u'/' + settingsFileName);
}

void NactiParametry(RulerState &s, const QStringList &args) {
    s.Parametry = args;
    for (const QString &argument : args) {
        QString name;
        if (switchName(argument, &name) && name.startsWith(QLatin1String("CONFIG")))
            applyConfig(s, argument);
    }
}

QString chosenSettingsFile(const QString &cestaProgramu, const QStringList &args) {
    RulerState s;
    s.CestaProgramu = cestaProgramu;
    s.SouborNastaveni = VychoziSouborNastaveni(cestaProgramu);
    NactiParametry(s, args);
    return s.SouborNastaveni;
}

void NactiNastaveni(RulerState &s, QPoint &windowPos, const QLocale &systemLocale,
                    int fallbackLength) {
    // A folder or a FIFO where the file belongs holds no settings either.
    const bool firstRun = !isRegularFile(s.SouborNastaveni);
    IniFile ini(s.SouborNastaveni);
    const int length = fallbackLength > 0 ? fallbackLength : defaultLength;
    SettingsView view{s, windowPos, QSize(length, length)};
    for (const SettingKey &entry : settingKeys)
        readSetting(ini, entry, view);
    readMonitorResolutions(ini, s);
    if (firstRun) {
        int key = 0;
        for (const char16_t *line : firstRunUnitLines)
            ini.writeString(unitsSection(), number(++key), QString::fromUtf16(line));
        saveSettingsFile(s, ini);
    }
    if (s.Jazyk.toUpper() == autodetect.toUpper())
        s.Jazyk = systemLanguageFile(s, systemLocale);
    // A stored name that differs from the file or folder only in letter case means that one.
    if (const QString found = dataEntryName(s, languageFolder, s.Jazyk, QDir::Files);
        !found.isEmpty())
        s.Jazyk = found;
    if (const QString found = dataEntryName(s, skinFolder, s.Vzhled, QDir::Dirs); !found.isEmpty())
        s.Vzhled = found;
}

void ZpracujPrepinace(RulerState &s) {
    for (const QString &argument : std::as_const(s.Parametry)) {
        QString name;
        if (!switchName(argument, &name))
            continue;
        if (name == QLatin1String("READONLY"))
            s.JenCteni = true;
        else if (name == QLatin1String("VERTICAL"))
            s.Horizontalni = false;
        else if (name == QLatin1String("INVERTED"))
            s.Obracene = true;
        else if (name.startsWith(QLatin1String("LANGUAGE")))
            applyLanguage(s, argument);
        if (name.startsWith(QLatin1String("SKIN")))
            applySkin(s, argument);
    }
    s.Parametry.clear();
}

bool UlozNastaveni(RulerState &s, const QRect &windowGeometry) {
    if (s.JenCteni)
        return true;
    IniFile ini(s.SouborNastaveni);
    QPoint pos = windowGeometry.topLeft();
    const SettingsView view{s, pos, windowGeometry.size()};
    RulerState defaults;
    const SettingsView defaultView{defaults, pos, windowGeometry.size()};
    for (const SettingKey &entry : settingKeys) {
        const QString section = QLatin1String(entry.section);
        const QString key = QLatin1String(entry.key);
        const QString value = entry.get(view);
        if (entry.onlyWhenChanged && !ini.keyExists(section, key) &&
            value == entry.get(defaultView))
            continue;
        ini.writeString(section, key, value);
    }
    writeMonitorResolutions(ini, s);
    return saveSettingsFile(s, ini);
}

QString AnoNe(bool value) {
    return value ? QStringLiteral("Ano") : QStringLiteral("Ne");
}

bool JeAno(const QString &text) {
    static const QStringList yes = {QStringLiteral("ANO"), QStringLiteral("YES"),
                                    QStringLiteral("JA"), QStringLiteral("TRUE"),
                                    QStringLiteral("1")};
    return yes.contains(text.toUpper());
}

bool saveSettingsFile(RulerState &s, IniFile &ini) {
    const int dropped = fitMonitorsIntoFile(ini, s, TextFileSizeCap);
    if (dropped > 0 && s.reportDroppedMonitors && !s.droppedMonitorsReported) {
        s.droppedMonitorsReported = true;
        s.reportDroppedMonitors(dropped);
    }
    if (ini.save())
        return true;
    if (s.reportUnwritable && !s.unwritableReported) {
        s.unwritableReported = true;
        s.reportUnwritable(ini.path());
    }
    return false;
}

QString unitsSection() {
    return QStringLiteral("Jednotky");
}
