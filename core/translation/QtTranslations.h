#pragma once

#include <QLocale>
#include <memory>

class QTranslator;

// Qt's own texts (the standard buttons of message boxes, the file dialog and its questions) in
// the language of the user interface, from the translations that come with Qt. One object
// holds at most one installed translation and replaces it when the language changes.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations &) = delete;
    QtTranslations &operator=(const QtTranslations &) = delete;

    // Installs Qt's translation for locale in place of the one installed before. Returns false
    // when Qt has none for that language (English needs none); Qt's texts are English then.
    bool use(const QLocale &locale);

private:
    std::unique_ptr<QTranslator> m_translator;
};
