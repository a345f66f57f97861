#include "core/translation/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

bool QtTranslations::use(const QLocale &locale) {
    auto next = std::make_unique<QTranslator>();
    // Only Qt Base is used, so its catalogue is enough; the combined "qt_" catalogue would
    // also need those of modules that may not be installed.
    const bool found = locale.language() != QLocale::C &&
                       next->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The new translation goes in before the old one goes out, so that the windows are told
    // of one change of language only when something changed.
    if (found)
        QCoreApplication::installTranslator(next.get());
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator = found ? std::move(next) : nullptr;
    return found;
}
