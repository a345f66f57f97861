#include "core/units/Units.h"

#include "core/settings/IniFile.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QString endOfList = QStringLiteral("N/A");
constexpr int maxStoredUnits = 100;

struct BuiltIn {
    const char16_t *name;
    const char16_t *symbol;
    double carka;
};
constexpr BuiltIn builtIns[BuiltInUnitCount] = {
    {u"Pixel", u"px", 5},
    {u"Centimetr", u"cm", 0.1},
    {u"Palec", u"in", 0.1},
    {u"Procenta délky", u"%", 1},
};

// A blank line among the user units becomes a separator, like the ones shipped in a new file,
// so that the units after it keep their numbers and nothing is drawn with a zero spacing.
tjednotka separatorUnit() {
    return {QStringLiteral("-"), QStringLiteral("Xx"), 1, UnitPixel, 0, 10};
}

// Splits a unit line into its five fields. Fields missing from a short line are empty rather
// than repeats of the last one, so a name never lands in a number field.
QStringList unitFields(QString line) {
    QStringList fields;
    bool exhausted = false;
    for (int i = 0; i < 5; ++i) {
        if (exhausted) {
            fields.append(QString());
            continue;
        }
        exhausted = !line.contains(u';');
        fields.append(DalsiPole(line));
    }
    return fields;
}

// A number field that is not a positive number counts as missing (0); a positive one is brought
// into the range the units editor works in.
double positiveNumber(const QString &field) {
    bool ok = false;
    const double value = parseUnitNumber(field, &ok);
    if (!ok || value <= 0)
        return 0;
    return std::clamp(value, LeastUnitNumber.toDouble(), LargestUnitNumber.toDouble());
}

// The tick spacing is left 0 when the line has none; the caller knows the fallback.
tjednotka parseUnitLine(const QString &line) {
    const QStringList field = unitFields(line);
    tjednotka unit;
    unit.Nazev = field[0];
    unit.Znacka = field[1];
    // A unit of size 0 would turn every reading into a division by zero; without a usable
    // size the unit equals its base.
    unit.Hodnota = positiveNumber(field[2]);
    if (unit.Hodnota == 0)
        unit.Hodnota = 1;
    // A base outside the built-in units would index past them; the pixel is the neutral one.
    bool ok = false;
    const int base = field[3].trimmed().toInt(&ok);
    unit.Zaklad = ok && base >= 0 && base < BuiltInUnitCount ? quint8(base) : quint8(UnitPixel);
    unit.Carka = positiveNumber(field[4]);
    return unit;
}

// A built-in unit falls back to its own default spacing, a user unit to its base's spacing
// (the base's default while the base itself has none yet).
double fallbackCarka(int index, const tjednotka &unit, const QVector<tjednotka> &loaded) {
    if (index < BuiltInUnitCount)
        return builtIns[index].carka;
    const double baseCarka = loaded[unit.Zaklad].Carka;
    return baseCarka > 0 ? baseCarka : builtIns[unit.Zaklad].carka;
}

QString unitLine(const tjednotka &unit) {
    return unit.Nazev + u';' + unit.Znacka + u';' + formatUnitNumber(unit.Hodnota) + u';' +
           QString::number(unit.Zaklad) + u';' + formatUnitNumber(unit.Carka);
}

} // namespace

QString DalsiPole(QString &radek) {
    const qsizetype separator = radek.indexOf(u';');
    if (separator < 0)
        return radek;
    const QString field = radek.left(separator);
    radek.remove(0, separator + 1);
    return field;
}

void NactiJednotky(RulerState &s) {
    const IniFile ini(s.SouborNastaveni);
    QVector<tjednotka> units;
    QVector<bool> filled;
    int highestKey = 0;
    for (int i = 1; i <= maxStoredUnits; ++i) {
        const QString line = ini.readString(unitsSection(), QString::number(i), endOfList);
        if (line == endOfList)
            break;
        if (line.isEmpty())
            continue;
        units.resize(qMax(i, BuiltInUnitCount));
        filled.resize(units.size());
        tjednotka unit = parseUnitLine(line);
        if (unit.Carka == 0)
            unit.Carka = fallbackCarka(i - 1, unit, units);
        units[i - 1] = unit;
        filled[i - 1] = true;
        highestKey = i;
    }
    // Fewer than four lines: the file has no trustworthy unit list, so the built-in units
    // get their own names back.
    const bool shortList = highestKey < BuiltInUnitCount;
    units.resize(qMax(highestKey, BuiltInUnitCount));
    filled.resize(units.size());
    for (int k = 0; k < units.size(); ++k) {
        tjednotka &unit = units[k];
        if (k >= BuiltInUnitCount) {
            if (!filled[k])
                unit = separatorUnit();
            continue;
        }
        // The built-in units are defined by the screen, not by the file: only their names,
        // symbols and tick spacings may differ.
        if (shortList || !filled[k]) {
            unit.Nazev = QString::fromUtf16(builtIns[k].name);
            unit.Znacka = QString::fromUtf16(builtIns[k].symbol);
        }
        unit.Hodnota = 1;
        unit.Zaklad = quint8(k);
        if (unit.Carka == 0)
            unit.Carka = builtIns[k].carka;
    }
    s.Jednotky = units;
}

bool UlozJednotky(RulerState &s) {
    // A loaded list always holds the built-in units; an empty one was never loaded, and
    // writing it would wipe the stored units.
    if (s.JenCteni || s.Jednotky.isEmpty())
        return true;
    IniFile ini(s.SouborNastaveni);
    ini.eraseSection(unitsSection());
    for (int i = 0; i < s.Jednotky.size(); ++i)
        ini.writeString(unitsSection(), QString::number(i + 1), unitLine(s.Jednotky[i]));
    return saveSettingsFile(s, ini);
}

void PrepocitejJednotky(RulerState &s, int stripLength) {
    int length = stripLength;
    if (s.Delka != 0) {
        length = s.Delka;
        s.Delka = 0;
    }
    const int dpi = s.Horizontalni ? s.RozliseniX : s.RozliseniY;
    const double builtInPixels[BuiltInUnitCount] = {1, dpi / 2.54, double(dpi), length / 100.0};
    for (int i = 0; i < s.Jednotky.size(); ++i) {
        tjednotka &unit = s.Jednotky[i];
        if (i < BuiltInUnitCount) {
            unit.Pixelu = builtInPixels[i];
        } else {
            // Units are computed in order, so any base before this unit is already up to date;
            // a base that is not (never written by this program) counts as the pixel.
            const double basePixels = unit.Zaklad < i ? s.Jednotky[unit.Zaklad].Pixelu : 1;
            unit.Pixelu = unit.Hodnota * basePixels;
        }
    }
    const bool known = s.Jednotka >= 0 && s.Jednotka < s.Jednotky.size();
    s.PixeluNaJednotku = known ? s.Jednotky[s.Jednotka].Pixelu : 1;
}

QString formatUnitNumber(double value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

double parseUnitNumber(const QString &text, bool *ok) {
    QString normalized = text.trimmed();
    normalized.replace(u',', u'.');
    bool converted = false;
    const double value = normalized.toDouble(&converted);
    *ok = converted && std::isfinite(value);
    return *ok ? value : 0;
}
