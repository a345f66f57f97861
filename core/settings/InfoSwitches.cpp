#include "core/settings/InfoSwitches.h"

InfoRequest infoRequest(const QStringList &arguments) {
    for (const QString &argument : arguments) {
        if (argument == u"--help" || argument == u"-h")
            return InfoRequest::Usage;
        if (argument == u"--version")
            return InfoRequest::Version;
    }
    return InfoRequest::None;
}

QString infoText(InfoRequest request, const QString &version) {
    if (request == InfoRequest::Version)
        return QStringLiteral("tavlinko %1\n").arg(version);
    if (request == InfoRequest::None)
        return QString();
    return QStringLiteral(
        "Usage: tavlinko [SWITCH]...\n"
        "Shows a ruler on the screen.\n"
        "Switches start with - or /; letter case does not matter.\n"
        "\n"
        "  -config:FILE     use the settings file FILE (.ini is added when it has no dot)\n"
        "  -readonly        never write the settings file\n"
        "  -vertical        start vertical\n"
        "  -inverted        put the zero at the far end\n"
        "  -language:NAME   use the language file NAME.lng\n"
        "  -skin:NAME       use the skin folder NAME\n"
        "\n"
        "  -h, --help       show this help and end\n"
        "      --version    show the version and end\n"
        "\n"
        "The manual page (man tavlinko) and the help (F1) tell more.\n");
}
