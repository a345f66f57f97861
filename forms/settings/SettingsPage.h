#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <exception>

class QIcon;
class QLabel;
class TLangTranslator;
class TNastaveniForm;
struct RulerState;

// One page of the settings dialog. It shows the settings it is about when the dialog opens
// (load) and writes them back when the dialog closes with OK or Calibrate (save); the dialog
// keeps the buttons and the results. The dialog lends its pages its messages, its translator
// and its record of the sizes the design asks for.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    SettingsPage(TNastaveniForm &dialog, RulerState &state);

    virtual void load(const RulerState &state) = 0;
    virtual void save(RulerState &state) = 0;
    // The control the keyboard starts on when the page is in front.
    virtual QWidget *firstControl() const = 0;

protected:
    QString translated(const QString &czech, const QStringList &arguments = {}) const;
    TLangTranslator *prekladac() const;
    QString describe(const std::exception &error) const;
    void showMessage(const QString &text, bool error);
    bool askYesNo(const QString &text);
    void designSize(QWidget *control, int width, int height = 0);
    static QIcon themedIcon(const char *themeName, const char *builtInName);
    // Captions may come from a language file, so they are never read as markup.
    static QLabel *createLabel(const char *name, const QString &caption, QWidget *parent);

    TNastaveniForm &m_dialog;
    RulerState &m_state;
};
