#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TLangTranslator;

// A component's way to put a Czech text into the current language, with its "%s" markers filled
// in order.
using Translate = std::function<QString(const QString &czech, const QStringList &arguments)>;

// The one place a text is translated: the translator's text for it (the Czech text itself
// without a translator or a translation), its "%s" markers filled with the arguments in order.
// The translator is not const: its first text reads the language it was given.
QString translatedText(TLangTranslator *translator, const QString &czech,
                       const QStringList &arguments = {});
