// Writing the translations into the registered forms' properties, and the messages' texts.
#include "core/translation/LangTranslator.h"

#include "core/translation/FileError.h"
#include "core/translation/LanguageFileText.h"
#include "core/translation/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QMetaProperty>
#include <QPoint>
#include <QSize>

#include <functional>

namespace {

// Controls show their place and size as the read-only integers x, y, width and height of the
// writable pos and size; a language moves or sizes a control through those.
void writeGeometryPart(QObject *target, const char *name, int value) {
    const QLatin1StringView part(name);
    const bool place = part == "x" || part == "y";
    const int whole = target->metaObject()->indexOfProperty(place ? "pos" : "size");
    if (whole < 0 || !target->metaObject()->property(whole).isWritable())
        return;
    if (place) {
        QPoint pos = target->property("pos").toPoint();
        (part == "x" ? pos.rx() : pos.ry()) = value;
        target->setProperty("pos", pos);
    } else if (part == "width" || part == "height") {
        QSize size = target->property("size").toSize();
        (part == "width" ? size.rwidth() : size.rheight()) = value;
        target->setProperty("size", size);
    }
}

// A string-list property takes one line per separated piece; a trailing separator does not add
// an empty last line, but an empty piece between two separators does.
QStringList splitList(const QString &text, const QString &separator) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
        lines << text.mid(start, at - start).trimmed();
        start = at + separator.size();
    }
    const QString last = text.mid(start).trimmed();
    if (!last.isEmpty())
        lines << last;
    return lines;
}

QObject *childNamed(const QObject *parent, const QString &name) {
    for (QObject *child : parent->children()) {
        if (sameAsciiText(child->objectName(), name))
            return child;
    }
    return nullptr;
}

// An exactly spelled name wins over one that differs only in case.
int propertyIndex(const QMetaObject *meta, const QString &name) {
    const int exact = meta->indexOfProperty(name.toUtf8().constData());
    if (exact >= 0)
        return exact;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (sameAsciiText(QString::fromLatin1(meta->property(i).name()), name))
            return i;
    }
    return -1;
}

} // namespace

TLangTranslator::TLangTranslator(QObject *owner) : QObject(owner) {}

void TLangTranslator::addForm(QObject *form) {
    m_forms.append(form);
}

QString TLangTranslator::useLanguage(const QString &path) {
    QString fault;
    for (const auto &step : {std::function<void()>([&] { setLanguageFile(path); }),
                             std::function<void()>([this] { Translate(); })}) {
        try {
            step();
        } catch (const std::exception &error) {
            if (fault.isEmpty())
                fault = describeError(error);
        }
    }
    return fault;
}

QString TLangTranslator::describeError(const std::exception &error) {
    const auto *fileError = dynamic_cast<const FileError *>(&error);
    if (!fileError)
        return QString::fromUtf8(error.what());
    const QStringList path = {QDir::toNativeSeparators(fileError->path())};
    switch (fileError->kind()) {
    case FileError::Missing:
        return translatedText(this, QStringLiteral("Soubor %s nebyl nalezen."), path);
    case FileError::Unreadable:
        return translatedText(this, QStringLiteral("Soubor %s nelze přečíst."), path);
    case FileError::Unwritable:
        break;
    }
    return translatedText(this, QStringLiteral("Do souboru %s nelze zapsat."), path);
}

void TLangTranslator::Translate() {
    ensureLoaded();
    emit OnBeforeTranslation(this);
    for (const TTemplateItem &item : std::as_const(m_items)) {
        if (item.Kind == ikComponent && !item.Text.trimmed().isEmpty())
            TranslateComponent(item.Text, item.Translation);
    }
    emit OnAfterTranslation(this);
}

void TLangTranslator::TranslateForm(const QObject *form) {
    ensureLoaded();
    for (const TTemplateItem &item : std::as_const(m_items)) {
        const QString path = item.Text.trimmed();
        if (item.Kind == ikComponent && path.contains(u'.') &&
            sameAsciiText(path.left(path.indexOf(u'.')).trimmed(), form->objectName()))
            TranslateComponent(path, item.Translation);
    }
}

QString TLangTranslator::TranslateString(const QString &source) {
    ensureLoaded();
    for (const TTemplateItem &item : std::as_const(m_items)) {
        if (item.Text == source)
            return item.Translation.isEmpty() ? source : item.Translation;
    }
    return source;
}

void TLangTranslator::setSeparator(const QString &separator) {
    m_separator = separator.trimmed().isEmpty() ? QStringLiteral(",") : separator;
}

QObject *TLangTranslator::findForm(const QString &name) const {
    for (const QPointer<QObject> &form : m_forms) {
        if (form && sameAsciiText(form->objectName(), name))
            return form;
    }
    return nullptr;
}

void TLangTranslator::TranslateComponent(const QString &path, const QString &translation) {
    QString rest = path.trimmed();
    QObject *target = QCoreApplication::instance();
    bool atForms = true;
    for (qsizetype dot = rest.indexOf(u'.'); dot >= 0; dot = rest.indexOf(u'.')) {
        const QString part = rest.left(dot).trimmed();
        rest = rest.mid(dot + 1).trimmed();
        if (atForms)
            target = findForm(part);
        else if (target)
            target = childNamed(target, part);
        atForms = false;
    }
    if (!target || translation.isEmpty())
        return;
    const int index = propertyIndex(target->metaObject(), rest);
    if (index < 0)
        return;
    const QMetaProperty property = target->metaObject()->property(index);
    switch (property.metaType().id()) {
    case QMetaType::QString:
        property.write(target, translation);
        break;
    case QMetaType::Int:
        if (property.isWritable())
            property.write(target, toInteger(translation));
        else
            writeGeometryPart(target, property.name(), toInteger(translation));
        break;
    case QMetaType::QStringList:
        property.write(target, splitList(translation, m_separator));
        break;
    default:
        // Enumerations, sets and object properties have no text form worth translating.
        break;
    }
}

QString fillArguments(QString text, const QStringList &arguments) {
    qsizetype at = 0;
    for (const QString &argument : arguments) {
        at = text.indexOf(QStringLiteral("%s"), at);
        if (at < 0)
            break;
        text.replace(at, 2, argument);
        at += argument.size();
    }
    return text;
}