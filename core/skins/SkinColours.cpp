#include "core/skins/SkinColours.h"

#include "core/settings/IniFile.h"

#include <array>

namespace {

struct NamedColour {
    const char *name;
    quint32 value; // 0x00BBGGRR, or 0x80000000 + system colour index
};

constexpr quint32 SystemColourFlag = 0x80000000;
constexpr quint32 ColourNone = 0x1FFFFFFF;
constexpr quint32 ColourDefault = 0x20000000;

constexpr std::array<NamedColour, 49> colourNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", SystemColourFlag | 0},
    {"clBackground", SystemColourFlag | 1},
    {"clActiveCaption", SystemColourFlag | 2},
    {"clInactiveCaption", SystemColourFlag | 3},
    {"clMenu", SystemColourFlag | 4},
    {"clWindow", SystemColourFlag | 5},
    {"clWindowFrame", SystemColourFlag | 6},
    {"clMenuText", SystemColourFlag | 7},
    {"clWindowText", SystemColourFlag | 8},
    {"clCaptionText", SystemColourFlag | 9},
    {"clActiveBorder", SystemColourFlag | 10},
    {"clInactiveBorder", SystemColourFlag | 11},
    {"clAppWorkSpace", SystemColourFlag | 12},
    {"clHighlight", SystemColourFlag | 13},
    {"clHighlightText", SystemColourFlag | 14},
    {"clBtnFace", SystemColourFlag | 15},
    {"clBtnShadow", SystemColourFlag | 16},
    {"clGrayText", SystemColourFlag | 17},
    {"clBtnText", SystemColourFlag | 18},
    {"clInactiveCaptionText", SystemColourFlag | 19},
    {"clBtnHighlight", SystemColourFlag | 20},
    {"cl3DDkShadow", SystemColourFlag | 21},
    {"cl3DLight", SystemColourFlag | 22},
    {"clInfoText", SystemColourFlag | 23},
    {"clInfoBk", SystemColourFlag | 24},
    {"clGradientActiveCaption", SystemColourFlag | 27},
    {"clGradientInactiveCaption", SystemColourFlag | 28},
    {"clNone", ColourNone},
    {"clDefault", ColourDefault},
}};

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's palette roles closest to each system colour index; indexes without a
// counterpart fall back to the window text colour.
PaletteEntry systemColourRole(quint32 index) {
    using P = QPalette;
    switch (index) {
    case 0:
        return {P::Active, P::Button}; // scroll bar
    case 1:
        return {P::Active, P::Dark}; // desktop
    case 2:
        return {P::Active, P::Highlight}; // active caption
    case 3:
        return {P::Inactive, P::Highlight}; // inactive caption
    case 4:
        return {P::Active, P::Window}; // menu
    case 5:
        return {P::Active, P::Base}; // window
    case 6:
        return {P::Active, P::Shadow}; // window frame
    case 7:
        return {P::Active, P::WindowText}; // menu text
    case 8:
        return {P::Active, P::Text}; // window text
    case 9:
        return {P::Active, P::HighlightedText}; // caption text
    case 10:
        return {P::Active, P::Window}; // active border
    case 11:
        return {P::Inactive, P::Window}; // inactive border
    case 12:
        return {P::Active, P::Mid}; // application workspace
    case 13:
        return {P::Active, P::Highlight}; // highlight
    case 14:
        return {P::Active, P::HighlightedText}; // highlighted text
    case 15:
        return {P::Active, P::Button}; // button face
    case 16:
        return {P::Active, P::Dark}; // button shadow
    case 17:
        return {P::Disabled, P::Text}; // grey text
    case 18:
        return {P::Active, P::ButtonText}; // button text
    case 19:
        return {P::Inactive, P::HighlightedText}; // inactive caption text
    case 20:
        return {P::Active, P::Light}; // button highlight
    case 21:
        return {P::Active, P::Shadow}; // 3D dark shadow
    case 22:
        return {P::Active, P::Midlight}; // 3D light
    case 23:
        return {P::Active, P::ToolTipText}; // tooltip text
    case 24:
        return {P::Active, P::ToolTipBase}; // tooltip background
    case 26:
        return {P::Active, P::Link}; // hot-tracked item
    case 27:
        return {P::Active, P::Highlight}; // caption gradient, active
    case 28:
        return {P::Inactive, P::Highlight}; // caption gradient, inactive
    default:
        return {P::Active, P::WindowText};
    }
}

QColor colourFromValue(quint32 value, const QPalette &palette) {
    if (value == ColourNone)
        return Qt::transparent;
    if (value == ColourDefault)
        return palette.color(QPalette::Active, QPalette::WindowText);
    if ((value & 0xFF000000) == SystemColourFlag) {
        const PaletteEntry entry = systemColourRole(value & 0xFF);
        return palette.color(entry.group, entry.role);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

std::optional<QColor> parseSkinColour(const QString &text, QString *error,
                                      const QPalette &palette) {
    const QString trimmed = text.trimmed();
    for (const NamedColour &named : colourNames) {
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return colourFromValue(named.value, palette);
    }
    bool ok = false;
    const int value = parseIniInteger(trimmed, &ok);
    if (ok)
        return colourFromValue(static_cast<quint32>(value), palette);
    if (error)
        *error = QStringLiteral("'%1' is not a valid integer value").arg(text);
    return std::nullopt;
}
