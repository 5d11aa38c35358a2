#include "predictions/frmDetails.h"

#include "predictions/ListingModel.h"
#include "predictions/SummaryModel.h"
#include "services/AtomicFile.h"
#include "services/Printing.h"
#include "services/ProgramFolder.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <cerrno>

namespace {

// Printouts: Courier New 10 points from this far off the top and left edges [twips].
constexpr double kPrintMarginTwips = 450;
constexpr double kPrintFontPoints = 10;
const QString kPrintFont = QStringLiteral("Courier New");

QString detailsText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmDetails", key);
}

QString chooseSaveFileWithDialog(QWidget* parent, const QString& folder, const QString& filter)
{
    // The desktop's save dialog asks before it overwrites a file.
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

} // namespace

frmDetails::frmDetails(QWidget* parent)
    : QWidget(parent)
    , List1(new QListView(this))
    , ListView1(new QTreeView(this))
    , m_listing(new ListingModel(this))
    , m_summary(new SummaryModel(this))
    , m_sortedSummary(new QSortFilterProxyModel(this))
    , m_chooseSaveFile(chooseSaveFileWithDialog)
    , m_choosePrinter(showPrintDialog)
{
    setObjectName(QStringLiteral("frmDetails"));
    List1->setObjectName(QStringLiteral("List1"));
    ListView1->setObjectName(QStringLiteral("ListView1"));

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    List1->setFont(fixed);
    List1->setModel(m_listing);
    // Every line is laid out alike, so a listing of millions of lines scrolls at once.
    List1->setUniformItemSizes(true);
    List1->setWordWrap(false);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_sortedSummary->setSourceModel(m_summary);
    m_sortedSummary->setSortCaseSensitivity(Qt::CaseInsensitive);
    ListView1->setModel(m_sortedSummary);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setFont(fixed);
    ListView1->header()->setSectionsClickable(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List1);
    layout->addWidget(ListView1);
    ListView1->hide();
    connectControls();
    Form_Load();
}

frmDetails::~frmDetails() = default;

void frmDetails::connectControls()
{
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &frmDetails::ListView1_ColumnClick);
}

void frmDetails::Form_Load()
{
    setWindowTitle(detailsText(u"dettagli"));
    resize(sizeHint());
}

QSize frmDetails::sizeHint() const
{
    return {List1->fontMetrics().horizontalAdvance(QString(100, u'0')),
            List1->fontMetrics().height() * 30};
}

void frmDetails::closeEvent(QCloseEvent* event)
{
    if (m_computing > 0) {
        // The listing on the stack below this event still needs the window: it stops at its
        // next instant and the window closes then.
        m_stopRequested = true;
        m_closeWhenDone = true;
        event->ignore();
        return;
    }
    m_summary->clear();
    m_listing->clear();
    QWidget::closeEvent(event);
}

void frmDetails::endComputation()
{
    --m_computing;
    if (m_computing == 0 && m_closeWhenDone)
        WindowRegistry::instance().unloadOrClose(this);
}

void frmDetails::ListView1_ColumnClick(int column)
{
    Qt::SortOrder order = Qt::AscendingOrder;
    if (m_lastSortColumn == column)
        order = m_lastSortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortedSummary->sort(column, order);
    ListView1->header()->setSortIndicatorShown(true);
    ListView1->header()->setSortIndicator(column, order);
    m_lastSortColumn = column;
    m_lastSortOrder = order;
}

void frmDetails::tellFormatError(const QString& title)
{
    QMessageBox::warning(this, title, mLang::Testo_lingua(u"Dialogs", u"formatononvalido"));
}

void frmDetails::showTextListing()
{
    const QFontMetrics metrics(List1->font());
    // A little room after the widest line, as a list box leaves.
    const int widthChars = m_listing->widestLineChars() + 2;
    m_listing->setLineSize(
        QSize(metrics.horizontalAdvance(QString(widthChars, u'0')), metrics.height()));
    ListView1->hide();
    List1->show();
    List1->reset();
    List1->setFocus();
}

void frmDetails::showLines(QStringList lines, const QString& title)
{
    if (m_computing > 0)
        return;
    m_summary->clear();
    m_listing->setListing(std::move(lines), nullptr, {});
    showTextListing();
    setWindowTitle(title);
}

void frmDetails::Salva()
{
    if (m_computing > 0)
        return;
    QCoreApplication::processEvents();
    const QString path =
        m_chooseSaveFile(this, MyPath, mLang::Testo_lingua(u"Dialogs", u"filtrotxt"));
    if (path.isEmpty())
        return;
    // A long listing is written while the event loop runs; closing the window meanwhile
    // waits for the file to be complete.
    ++m_computing;
    // Unbuffered: a buffered file that the disk took only in part would be committed as
    // written; unbuffered, the short count of the listing's block writes shows.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    int systemError = 0;
    if (written) {
        errno = 0;
        written = m_listing->write(file, [](qint64) {
            QCoreApplication::processEvents();
            errno = 0; // what the events left is no reason of the next block's write
            return true;
        });
        systemError = written ? 0 : errno;
        written = written && file.commit();
    }
    if (!written) {
        const QString reason = writeFailureText(systemError, file);
        file.cancelWriting();
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             detailsText(u"salvataggiofallito") + u'\n' + path + u'\n' + reason);
    }
    endComputation();
}

void frmDetails::Stampa()
{
    PrinterSurface& printer = Printer();
    if (m_computing > 0 || m_listing->lineCount() == 0) {
        printer.KillDoc();
        return;
    }
    QCoreApplication::processEvents();
    if (!m_choosePrinter(this)) {
        printer.KillDoc();
        return;
    }
    printer.setForeColor(Qt::black);
    const QString savedFont = printer.FontName();
    const double savedSize = printer.FontSize();
    printer.setFontName(kPrintFont);
    printer.setFontSize(kPrintFontPoints);
    printer.setCurrentY(kPrintMarginTwips);
    printer.setCurrentX(kPrintMarginTwips);
    printer.Print(QString());
    printer.setCurrentY(kPrintMarginTwips);
    const qint64 lines = m_listing->lineCount();
    for (qint64 k = 0; k < lines; ++k) {
        printer.setCurrentX(kPrintMarginTwips);
        printer.Print(m_listing->line(k));
    }
    const bool printed = printer.EndDoc();
    printer.setFontName(savedFont);
    printer.setFontSize(savedSize);
    if (!printed)
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             detailsText(u"stampafallita"));
}
