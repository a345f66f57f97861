#include "core/translation/Translation.h"

#include "core/translation/LangTranslator.h"

QString translatedText(TLangTranslator *translator, const QString &czech,
                       const QStringList &arguments) {
    return fillArguments(translator ? translator->TranslateString(czech) : czech, arguments);
}
