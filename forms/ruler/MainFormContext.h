#pragma once

// What the tools see of the ruler window; only the window's own files include this.

#include "core/settings/RulerState.h"
#include "core/translation/LangTranslator.h"
#include "core/translation/Translation.h"
#include "core/units/DistanceFormat.h"
#include "forms/ruler/MainForm.h"
#include "forms/ruler/ReadingAnnouncer.h"
#include "forms/ruler/RulerContext.h"
#include "forms/ruler/RulerView.h"
#include "forms/ruler/SettingsSaver.h"

class TMainForm::Context final : public RulerContext {
public:
    explicit Context(TMainForm &form) : m_form(form), m_announcer(*this) {}

    RulerState &state() override { return m_form.m_state; }
    const RulerState &state() const override { return m_form.m_state; }
    RulerModel &model() override { return m_form.m_model; }
    const SkinData &skin() const override { return m_form.m_view->skin(); }
    TLangTranslator *translator() const override { return m_form.m_prekladac.get(); }
    QWidget &window() override { return m_form; }
    double ratio() const override { return m_form.m_ratio; }
    QPoint placeOnDesktop() const override { return m_form.m_place.device(); }

    QString translate(const QString &czech, const QStringList &arguments) const override {
        return translatedText(m_form.m_prekladac.get(), czech, arguments);
    }
    QString formatDistance(int devicePixels) const override {
        return FormatujVzdalenost(devicePixels, m_form.m_state.PixeluNaJednotku);
    }
    QString unitSymbol() const override { return m_form.m_view->unitSymbol(); }
    void report(QMessageBox::Icon severity, const QString &text) override {
        m_form.showMessage(severity, text);
    }
    void refresh(RulerChanges changes) override { m_form.updateLayout(changes); }
    void saveSoon() override { m_form.m_saver->saveSoon(); }
    ReadingAnnouncer &announcer() override { return m_announcer; }

private:
    TMainForm &m_form;
    ReadingAnnouncer m_announcer;
};
