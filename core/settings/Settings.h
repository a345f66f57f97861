#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class IniFile;
class QLocale;
struct RulerState;

// The values a stored number may take. The reader brings a stored value into the range, and
// the controls that change it offer just the range.
struct SettingRange {
    int least;
    int most;
    constexpr int bounded(int value) const {
        return value < least ? least : value > most ? most : value;
    }
};
// "Pruhlednost" of [Obecne], the ruler's opacity: 255 is opaque; below 30 the ruler could hardly
// be found again.
constexpr SettingRange opacityRange{30, 255};

// The section of the settings file that holds the unit lines.
QString unitsSection();

// The settings file to use by default: tavlinko.ini beside the program when it already exists
// there, or when the folder is writable and the program is not installed (its data does not
// come from ../share/tavlinko); else in the user's config folder
// ($XDG_CONFIG_HOME/tavlinko/tavlinko.ini), which is created, so an installed program never
// loses its settings. cestaProgramu ends with a separator.
QString VychoziSouborNastaveni(const QString &cestaProgramu);

// Keeps the arguments (without the program name) in Parametry and applies every CONFIG switch
// at once, because the settings file must be known before it is read.
void NactiParametry(RulerState &s, const QStringList &args);

// The settings file a start with these arguments uses: the one a CONFIG switch names, else the
// default one.
QString chosenSettingsFile(const QString &cestaProgramu, const QStringList &args);

// Reads the settings file into the state. windowPos comes in as the window's current left/top
// (the defaults) and goes out as the stored place. RozliseniX/Y must already hold the screen's
// device pixels per inch: they are the defaults for the resolution keys. A missing file gets the
// default unit lines (even in read-only mode, which is not known yet). "Autodetekce" as the
// language becomes the language file written for systemLocale's language (for its country
// first; Czech for Slovak when no Slovak file is there), else english.lng. A missing
// or unusable length becomes fallbackLength (472 pixels when that is not positive).
void NactiNastaveni(RulerState &s, QPoint &windowPos, const QLocale &systemLocale,
                    int fallbackLength = 472);

// Applies READONLY, VERTICAL, INVERTED, LANGUAGE and SKIN from Parametry, then clears it.
void ZpracujPrepinace(RulerState &s);

// Writes "Obecne" and "Mereni" (the length is the width of a horizontal window, else its
// height) unless read-only. Returns false when the file could not be written.
bool UlozNastaveni(RulerState &s, const QRect &windowGeometry);

// Language and skin names are plain names inside their folders, wherever they come from (a
// switch, the settings file, the dialog): not empty, not "." or "..", without path separators
// or drive colons, so that no name reaches outside its folder.
bool isPlainName(const QString &name);

// The language file to read: jazyky/Jazyk when Jazyk is a plain name of a regular file there,
// else jazyky/czech.lng.
QString languageFilePath(const RulerState &s);

// The folder of the chosen skin, skin/Vzhled; an empty string, which loads as a missing skin,
// when Vzhled is no plain name.
QString skinFolderPath(const RulerState &s);

QString AnoNe(bool value);
// "Ano", "Yes", "Ja", "True" or "1" in any letter case; anything else is false.
bool JeAno(const QString &text);

// Saves ini; on failure tells the user once per run (through RulerState::reportUnwritable) and
// returns false, so the program goes on with its settings in memory. A file that would grow
// past what it is read back at first gives up the monitors seen longest ago (told once per
// run through RulerState::reportDroppedMonitors), and nothing else: without enough of them
// the save fails and the old file stays.
bool saveSettingsFile(RulerState &s, IniFile &ini);
