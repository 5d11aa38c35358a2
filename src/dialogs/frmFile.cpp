#include "dialogs/frmFile.h"

#include "services/AtomicFile.h"
#include "services/BusyCursor.h"
#include "services/MessageBoxes.h"
#include "services/Printing.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Printouts of the program are in this typewriter font.
const QString kPrintFont = QStringLiteral("Courier New");
constexpr int kPrintFontPoints = 10;

QString fileText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmFile", key);
}

QString dialogText(const char16_t* key)
{
    return mLang::Testo_lingua(u"Dialogs", key);
}

QString chooseSaveFileWithDialog(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filter)
{
    // The desktop's save dialog asks before it overwrites a file.
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

bool choosePrinterWithDialog(QWidget* parent, QPrinter& printer, bool selection)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
    printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

/// Text of the editor's document or of a selection: paragraph and line separators as '\n'.
QString withLineFeeds(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace

frmFile::frmFile() : frmFile(Hooks{}) {}

frmFile::frmFile(Hooks hooks, QWidget* parent)
    : QWidget(parent), txtFile(new QTextEdit(this)), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("frmFile"));
    if (!m_hooks.chooseSaveFile)
        m_hooks.chooseSaveFile = chooseSaveFileWithDialog;
    if (!m_hooks.choosePrinter)
        m_hooks.choosePrinter = choosePrinterWithDialog;

    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setAcceptRichText(false);
    // Element sets are read by column: no wrapping, and every character as wide as the next.
    txtFile->setLineWrapMode(QTextEdit::NoWrap);
    txtFile->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtFile->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtFile);
    resize(sizeHint());
    setFocusProxy(txtFile);
    connectControls();
}

QSize frmFile::sizeHint() const
{
    const QFontMetrics metrics(txtFile->font());
    return {metrics.horizontalAdvance(QString(80, u'0')), metrics.height() * 24};
}

void frmFile::connectControls()
{
    connect(txtFile, &QWidget::customContextMenuRequested, this,
            &frmFile::txtFile_customContextMenuRequested);
}

void frmFile::setFileName(const QString& name)
{
    m_fileName = name;
    setWindowTitle(name);
}

QString frmFile::editorText() const
{
    return withLineFeeds(txtFile->document()->toRawText());
}

void frmFile::Leggi(const QString& FName)
{
    bool read = false;
    {
        const BusyCursor busy;
        yieldToEvents();
        QFile file(FName);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            read = file.error() == QFileDevice::NoError;
            if (read) {
                m_format = decodeTextFile(bytes);
                txtFile->setPlainText(m_format.text);
            }
        }
    }
    if (!read) {
        showMessage(this, QMessageBox::Warning, FName, dialogText(u"formatononvalido"));
        WindowRegistry::instance().unloadOrClose(this);
        return;
    }
    m_savedText = editorText();
    setFileName(FName);
    presentSelf();
}

bool frmFile::Salva()
{
    yieldToEvents();
    QString target = m_fileName;
    if (gblnDialog) {
        target = m_hooks.chooseSaveFile(this, dialogText(u"salvaconnome"), m_fileName,
                                        dialogText(u"filtrotle"));
        if (target.isEmpty())
            return false;
    }
    const QString text = editorText();
    QString reason;
    // Guard: a failed write is told to the user, and the text still counts as changed, instead
    // of being lost silently at the next close.
    if (!writeFileAtomically(target, encodeTextFile(text, m_format), &reason)) {
        showMessage(this, QMessageBox::Warning, windowTitle(),
                    fileText(u"nonsalvato") + u'\n' + target + u'\n' + reason);
        return false;
    }
    m_savedText = text;
    return true;
}

void frmFile::Stampa()
{
    yieldToEvents();
    QPrinter& printer = sharedPrinter();
    const bool selection = txtFile->textCursor().hasSelection();
    if (!m_hooks.choosePrinter(this, printer, selection))
        return;
    const bool selectionOnly = selection && printer.printRange() == QPrinter::Selection;
    if (!printText(printer, selectedOrWholeText(selectionOnly)))
        showMessage(this, QMessageBox::Warning, windowTitle(), fileText(u"stampafallita"));
}

QString frmFile::selectedOrWholeText(bool selectionOnly) const
{
    if (selectionOnly)
        return withLineFeeds(txtFile->textCursor().selectedText());
    return editorText();
}

bool frmFile::printText(QPrinter& printer, const QString& text)
{
    // One print job: begun here on the chosen printer and ended here, page by page.
    QTextDocument document;
    QFont font(kPrintFont, kPrintFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    document.setDefaultFont(font);
    document.documentLayout()->setPaintDevice(&printer);
    document.setPlainText(text);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QSizeF pageSize = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    document.setPageSize(pageSize);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        const QRectF area(QPointF(0, pageSize.height() * page), pageSize);
        painter.save();
        painter.translate(0, -area.top());
        document.drawContents(&painter, area);
        painter.restore();
    }
    return painter.end();
}

void frmFile::txtFile_customContextMenuRequested(const QPoint& position)
{
    if (m_hooks.editMenu != nullptr)
        m_hooks.editMenu->popup(txtFile->viewport()->mapToGlobal(position));
}

bool frmFile::Form_QueryUnload()
{
    if (!isChanged())
        return true;
    const QMessageBox::StandardButton answer =
        showMessage(this, QMessageBox::Question, windowTitle(), fileText(u"salvamodifiche"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // Guard: a cancelled or failed save keeps the window open with its text.
        return Salva();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void frmFile::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmFile::presentSelf()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->show();
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    }
    show();
    txtFile->setFocus();
}
