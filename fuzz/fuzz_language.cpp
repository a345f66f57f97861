// A definition file (.lnd) or a language file (.lng): the first byte chooses which one the input
// is; the other one is a fixed shipped-like file. The translation is applied to a form.

#include "FuzzSupport.h"
#include "core/translation/LangTranslator.h"

#include <QObject>
#include <exception>

namespace {

// Properties of each kind the translator writes.
class Form : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString caption MEMBER caption)
    Q_PROPERTY(int width MEMBER width)
    Q_PROPERTY(QStringList lines MEMBER lines)
public:
    QString caption;
    int width = 0;
    QStringList lines;
};

const QByteArray definition = "[LANGUAGE]\r\nProgram=Tavlinko\r\n[ITEMS]\r\n"
                              "1: COMPONENT \"MainForm.caption\"\r\n"
                              "2: COMPONENT \"MainForm.width\"\r\n"
                              "3: COMPONENT \"MainForm.child.lines\"\r\n"
                              "4: MESSAGE \"Kalibrace\"\r\n";
const QByteArray language = "Language=English\r\n1=Ruler\r\n2=30\r\n3=a,b\r\n4=Calibration\r\n";

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const bool isDefinition = data[0] & 1;
    const QByteArray input = fuzz::bytes(data + 1, size - 1);
    const QByteArray &lnd = isDefinition ? input : definition;
    const QByteArray &lng = isDefinition ? language : input;
    const QString lndPath =
        fuzz::writeInput(QStringLiteral("jazyky/fuzz.lnd"),
                         reinterpret_cast<const uint8_t *>(lnd.constData()), size_t(lnd.size()));
    const QString lngPath =
        fuzz::writeInput(QStringLiteral("jazyky/fuzz.lng"),
                         reinterpret_cast<const uint8_t *>(lng.constData()), size_t(lng.size()));
    Form form;
    form.setObjectName(QStringLiteral("MainForm"));
    QObject child(&form);
    child.setObjectName(QStringLiteral("child"));
    TLangTranslator translator;
    translator.addForm(&form);
    // Bad numbers and unreadable files are reported as exceptions; each is one handler's end.
    try {
        translator.LoadDefinition(lndPath);
    } catch (const std::exception &) {
    }
    try {
        translator.setLanguageFile(lngPath);
    } catch (const std::exception &) {
    }
    try {
        translator.Translate();
    } catch (const std::exception &) {
    }
    try {
        translator.TranslateString(QStringLiteral("Kalibrace"));
    } catch (const std::exception &) {
    }
    return 0;
}

#include "fuzz_language.moc"
