// The general page's language list, drawn with each language's flag, and the hand-off to
// the external language editor.

#include "forms/settings/GeneralPage.h"

#include "core/settings/DataFolders.h"
#include "core/settings/RulerState.h"
#include "core/skins/BitmapFile.h"
#include "core/translation/LangTranslator.h"
#include "widgets/ElidedRows.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <exception>

namespace {

// The version the language editor files this program under.
const QString programVersion = QStringLiteral("3.0");

// Rows are drawn by the dialog itself: flag, then the file name.
class LanguageRows : public QAbstractItemDelegate {
public:
    explicit LanguageRows(GeneralPage *form) : QAbstractItemDelegate(form), m_form(form) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        painter->save();
        m_form->VyberJazykuKresli(*painter, index.row(), option.rect,
                                  option.state & QStyle::State_Selected);
        painter->restore();
        // Keyboard users need to see which row they are on.
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            const QWidget *list = option.widget;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, list);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override {
        // No width of its own: the rows are as wide as the list, and a long name is cut.
        const int fontHeight = option.fontMetrics.height() + 2;
        return QSize(0, qMax(int(GeneralPage::LanguageRowHeight), fontHeight));
    }

private:
    GeneralPage *m_form;
};

} // namespace

void GeneralPage::createLanguageList() {
    listJazyky = new QListWidget(groupJazyk);
    listJazyky->setObjectName(QStringLiteral("listJazyky"));
    listJazyky->setAccessibleName(QStringLiteral("Jazyky"));
    listJazyky->setItemDelegate(new LanguageRows(this));
    listJazyky->setUniformItemSizes(true);
    keepRowsInsideList(listJazyky);
    designSize(listJazyky, 249, 60);
}

void GeneralPage::VyberJazykuKresli(QPainter &painter, int index, const QRect &rect,
                                    bool selected) {
    const QListWidgetItem *item = listJazyky->item(index);
    if (!item)
        return;
    // The chosen language stands out the same way on every desktop theme.
    const QPalette &palette = listJazyky->palette();
    painter.fillRect(rect, selected ? QColor(0, 0, 255) : palette.color(QPalette::Base));
    QFont font = painter.font();
    font.setFamily(listJazyky->font().family());
    painter.setFont(font);
    painter.setPen(selected ? QColor(Qt::white) : palette.color(QPalette::Text));
    const QRect textArea = rect.adjusted(LanguageTextIndent, 1, 0, 0);
    painter.drawText(
        textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
        painter.fontMetrics().elidedText(item->text(), Qt::ElideRight, textArea.width()));

    const QString flagName = QFileInfo(item->text()).completeBaseName() + QStringLiteral(".bmp");
    const QImage flag =
        readSkinBitmap(dataFile(m_state.CestaProgramu, QStringLiteral("jazyky"), flagName));
    if (!flag.isNull())
        painter.drawImage(rect.topLeft(), flag);
}

void GeneralPage::NovyNeboUpravitJazyk(QObject *sender) {
    if (sender != buttonNovy && sender != buttonUpravit)
        return;
    startLanguageEditor(sender == buttonNovy || !listJazyky->currentItem());
}

void GeneralPage::startLanguageEditor(bool newLanguage) {
    TLangTranslator ownTranslator;
    const TLangTranslator &translator = prekladac() ? *prekladac() : ownTranslator;
    const QString folder = translator.GetEditorFolder();
    if (folder.isEmpty()) {
        showMessage(translated(QStringLiteral("K provedení této operace musíte mít nainstalovaný "
                                              "program Vokabiler. Více informací v nápovědě.")),
                    false);
        return;
    }
    const QString editor = TLangTranslator::EditorProgram(folder);
    const QString definition = QDir::toNativeSeparators(dataFile(
        m_state.CestaProgramu, QStringLiteral("jazyky"), QStringLiteral("tavlinko30.lnd")));
    try {
        if (!translator.IsRegisteredWithEditor(definition))
            translator.RegisterWithEditor(
                QApplication::applicationDisplayName() + u' ' + programVersion, definition,
                QDir::toNativeSeparators(QApplication::applicationFilePath()));
    } catch (const std::exception &error) {
        // The editor's list of programs is unusable; starting it would not help.
        showMessage(describe(error), true);
        return;
    }
    const QString file = newLanguage
                             ? definition
                             : QDir::toNativeSeparators(editableLanguageFile(
                                   m_state.CestaProgramu, listJazyky->currentItem()->text()));
    // Started directly, never through a shell, so no character of a path is interpreted. It
    // works in the folder where the program looks for the user's languages, so a new one it
    // saves there shows in this list.
    QProcess::startDetached(editor, {file}, languageEditingFolder(m_state.CestaProgramu));
}
