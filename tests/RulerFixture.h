#pragma once

// A ruler window started in a temporary program folder, for tests that click and type on it.

#include "Controls.h"
#include "TestFiles.h"
#include "core/settings/RulerState.h"
#include "forms/ruler/KnownLengthScale.h"
#include "forms/ruler/MainForm.h"
#include "forms/ruler/ReadingExport.h"
#include "forms/ruler/RulerMenus.h"
#include "forms/ruler/RulerView.h"
#include "widgets/ImageControl.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// A part of the ruler window that tests reach into: its view, menus, export or known length.
template <typename Part> Part &partOf(const QObject *form) {
    return *form->findChild<Part *>(QString(), Qt::FindDirectChildrenOnly);
}
template <typename Part> Part &partOf(const std::unique_ptr<TMainForm> &form) {
    return partOf<Part>(form.get());
}

struct RulerFixture {
    QTemporaryDir folder;
    RulerState state;
    std::unique_ptr<TMainForm> form;
    QStringList messages;
    QList<QMessageBox::Icon> icons; // one per message shown by the ruler window
    // Messages are shown in real boxes rather than collected, for tests of the boxes themselves.
    bool realMessageBoxes = false;
    // The monitors the ruler sees, when a test gives them sizes the platform cannot report.
    std::function<QList<MonitorInfo>()> monitors;

    // Files below the program folder.
    void write(const QString &relative, const QByteArray &content) {
        writeFile(folder.filePath(relative), content);
    }
    QByteArray read(const QString &relative) const { return readFile(folder.filePath(relative)); }

    // Copies the shipped language files beside the program.
    void shipLanguages() {
        const QDir source(QStringLiteral(TAVLINKO_SOURCE_DIR "/data/jazyky"));
        QDir().mkpath(folder.filePath(QStringLiteral("jazyky")));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), folder.filePath(QStringLiteral("jazyky/") + name));
    }

    // Starts the ruler with these arguments; the settings file, if wanted, is written first.
    void start(const QStringList &arguments = {}) {
        state = RulerState();
        state.CestaProgramu = folder.path() + QLatin1Char('/');
        state.reportUnwritable = [this](const QString &path) { messages << path; };
        form = std::make_unique<TMainForm>(state, arguments);
        if (!realMessageBoxes) {
            form->showMessage = [this](QMessageBox::Icon icon, const QString &text) {
                messages << text;
                icons << icon;
            };
        }
        if (monitors)
            form->monitors = monitors;
        form->show();
    }

    // Ends the run the way closing the window does; the settings are saved.
    void stop() { form.reset(); }

    template <typename T = QWidget> T *control(const char *name) const {
        return findControl<T>(form.get(), name);
    }
    bool trigger(const char *action) const { return triggerAction(form.get(), action); }

    QString reading() const { return control<QLabel>("labelMeridlo")->text(); }
    QString unit() const { return control<QLabel>("buttonJednotka")->text(); }

    void press(int along, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        auto *scale = control<ImageControl>("imageMeritko");
        const QPoint at = state.Horizontalni ? QPoint(along, 5) : QPoint(5, along);
        QTest::mousePress(scale, Qt::LeftButton, modifiers, at);
        QTest::mouseRelease(scale, Qt::LeftButton, modifiers, at);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.get(), key, modifiers);
    }

    int length() const { return state.Horizontalni ? form->width() : form->height(); }
};
