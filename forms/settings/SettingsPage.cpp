#include "forms/settings/SettingsPage.h"

#include "core/drawing/BuiltInPictures.h"
#include "forms/settings/NastaveniForm.h"

#include <QIcon>
#include <QLabel>

SettingsPage::SettingsPage(TNastaveniForm &dialog, RulerState &state)
    : m_dialog(dialog), m_state(state) {}

QString SettingsPage::translated(const QString &czech, const QStringList &arguments) const {
    return m_dialog.translated(czech, arguments);
}

TLangTranslator *SettingsPage::prekladac() const {
    return m_dialog.m_prekladac;
}

QString SettingsPage::describe(const std::exception &error) const {
    return m_dialog.describe(error);
}

void SettingsPage::showMessage(const QString &text, bool error) {
    m_dialog.showMessage(text, error);
}

bool SettingsPage::askYesNo(const QString &text) {
    return m_dialog.askYesNo(text);
}

void SettingsPage::designSize(QWidget *control, int width, int height) {
    m_dialog.designSize(control, width, height);
}

QIcon SettingsPage::themedIcon(const char *themeName, const char *builtInName) {
    return QIcon::fromTheme(QLatin1String(themeName), builtInIcon(QStringLiteral(":/settings/") +
                                                                  QLatin1String(builtInName)));
}

QLabel *SettingsPage::createLabel(const char *name, const QString &caption, QWidget *parent) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}
