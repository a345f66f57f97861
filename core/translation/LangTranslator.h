#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

// Kinds of definition items. Only component and message items stay in the item table; sections
// and comments merely structure the definition file for the language editor.
enum TemplateItemKind : quint8 { ikSection = 0, ikComponent = 1, ikMessage = 2, ikComment = 3 };

// One numbered item of the definition file.
struct TTemplateItem {
    quint8 Kind = ikSection;
    qint32 Id = -1;      // item number; -1 when the line gives none
    QString Text;        // property path (component) or Czech source text (message)
    qint32 Number = 0;   // optional number token of the line, kept for the editor
    QString Translation; // text of the current language; empty until one is read
};

using TLanguageTemplate = QVector<TTemplateItem>;

// Header of a language file. Author carries CR LF where the file had "|".
struct TLanguageInfo {
    QString Language;
    QString Version;
    QString Author;
    QString Definition;
};

// Header of a definition. Author carries CR LF where the file had "|".
struct TTemplateInfo {
    QString Program;
    QString Version;
    QString Author;
};

// Translates the user interface at run time: a definition file (.lnd) numbers every
// translatable property path and message text, a language file (.lng) gives the text of each
// number in one language. Translate() writes the texts into the registered forms' properties;
// TranslateString() translates one message right before it is shown.
//
// Malformed numbers throw ConvertError; a file that exists but cannot be read, and a missing or
// unreadable programs.ini of the language editor, throw FileError.
class TLangTranslator : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString LanguageFile READ LanguageFile WRITE setLanguageFile)
    Q_PROPERTY(QString Separator READ Separator WRITE setSeparator)
    Q_PROPERTY(QStringList Template READ Template WRITE setTemplate)

public:
    explicit TLangTranslator(QObject *owner = nullptr);

    // Makes a top-level form reachable as the first part of a property path, matched by its
    // objectName without regard to ASCII case. A path without a dot addresses a property of
    // the application object instead.
    void addForm(QObject *form);

    // Builds the item table from a definition file; a missing file changes nothing.
    void LoadDefinition(const QString &path);
    // Builds the item table from the Template lines.
    void LoadTemplate();

    QString LanguageFile() const { return m_languageFile; }
    // Stores the path and reads the file at once, even when the path is unchanged.
    void setLanguageFile(const QString &path);
    // Reads the language file into the table without clearing what an earlier file gave.
    void LoadLanguage();

    // Reads a language file and translates the registered forms with what it gives. A broken
    // file stops neither: what was read before the fault still translates. Returns the fault as
    // describeError tells it, or an empty string.
    QString useLanguage(const QString &path);
    // An error these functions throw, as the user reads it in the current language: a file
    // that is missing or cannot be read or written is named; other errors carry their own text.
    QString describeError(const std::exception &error);

    // Writes every translated component item into its property.
    void Translate();
    // Writes the items of one registered form only, for a form built after the others were
    // translated; the translation signals stay silent, since nothing else changed.
    void TranslateForm(const QObject *form);
    // The current language's text of a message, or the source text when there is none.
    QString TranslateString(const QString &source);

    QString Separator() const { return m_separator; }
    void setSeparator(const QString &separator);

    QStringList Template() const { return m_template; }
    void setTemplate(const QStringList &lines) { m_template = lines; }

    const TLanguageInfo &LanguageInfo() const { return m_languageInfo; }
    // The locale of the language file read last: its LOCALE header value (a locale name such
    // as "cs" or "de_AT"), else what its file name says ("de.lng", or a language's English
    // name such as "german.lng"), else the C locale.
    QLocale LanguageLocale() const { return m_languageLocale; }
    const TTemplateInfo &TemplateInfo() const { return m_templateInfo; }
    const TLanguageTemplate &Items() const { return m_items; }
    bool DefinitionLoaded() const { return m_definitionLoaded; }
    bool LanguageLoaded() const { return m_languageLoaded; }

    // The external language editor's folder from its settings entry, or an empty string. An
    // entry whose executable is gone is deleted, but this call still returns its folder.
    QString GetEditorFolder() const;
    // The editor's executable in its folder.
    static QString EditorProgram(const QString &folder);
    // Whether the editor's programs.ini names a file called like definitionPath's file.
    bool IsRegisteredWithEditor(const QString &definitionPath) const;
    // Appends "title = definition;program" to the editor's programs.ini.
    void RegisterWithEditor(const QString &title, const QString &definitionPath,
                            const QString &programPath) const;

signals:
    void OnBeforeTranslation(QObject *Sender);
    void OnAfterTranslation(QObject *Sender);

private:
    void buildTable(const QStringList &lines);
    void readLanguage(const QStringList &lines);
    void ensureLoaded();
    void TranslateComponent(const QString &path, const QString &translation);
    QObject *findForm(const QString &name) const;

    QString m_languageFile;
    bool m_languageLoaded = false;
    TLanguageTemplate m_items;
    bool m_definitionLoaded = false;
    QString m_separator = QStringLiteral(",");
    QStringList m_template;
    TLanguageInfo m_languageInfo;
    QLocale m_languageLocale = QLocale::c();
    TTemplateInfo m_templateInfo;
    QList<QPointer<QObject>> m_forms;
};

// Puts each argument in place of the next "%s" of a message. The search goes on after the
// argument put in, so a "%s" inside an argument stays as it is.
QString fillArguments(QString text, const QStringList &arguments);

// The locale a language file is written for, by the rule of TLangTranslator::LanguageLocale(),
// read without translating anything. A file that cannot be read says only what its name says.
QLocale languageFileLocale(const QString &path);
