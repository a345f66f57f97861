#include "forms/ruler/HelpLink.h"

#include "core/settings/IniFile.h"
#include "core/settings/RulerState.h"
#include "core/settings/Settings.h"
#include "core/translation/LangTranslator.h"
#include "core/translation/Translation.h"
#include "forms/help/HtmlHelpEngine.h"
#include "forms/help/HtmlHelpViewer.h"
#include "forms/ruler/RulerContext.h"

void HelpLink::connect(THtmlHelpViewer &help) {
    HtmlHelpEngine *engine = help.engine();
    if (!engine)
        return;
    m_help = &help;
    // The language file's own locale, not its name, tells which pages the reader gets.
    engine->language = [this] {
        // Without a language file the program speaks its own Czech.
        const TLangTranslator *translator = m_context.translator();
        return translator && translator->LanguageLoaded() ? translator->LanguageLocale()
                                                          : QLocale(QLocale::Czech);
    };
    engine->loadPlace = [this] {
        return readHelpWindowPlace(IniFile(m_context.state().SouborNastaveni));
    };
    engine->savePlace = [this](const HelpWindowPlace &place) {
        RulerState &state = m_context.state();
        if (state.JenCteni)
            return;
        IniFile ini(state.SouborNastaveni);
        writeHelpWindowPlace(ini, place);
        saveSettingsFile(state, ini);
    };
    engine->translate = [this](const QString &text, const QStringList &arguments) {
        return m_context.translate(text, arguments);
    };
}

void HelpLink::release() {
    if (!m_help)
        return;
    // The help window keeps its place in the ruler's settings file, so it closes while the
    // settings are still there; the help lives on without them.
    m_help->SoftShutDown();
    HtmlHelpEngine *engine = m_help->engine();
    engine->language = [] { return QLocale(QLocale::Czech); };
    engine->translate = std::bind_front(translatedText, nullptr);
    engine->loadPlace = nullptr;
    engine->savePlace = nullptr;
    m_help = nullptr;
}
