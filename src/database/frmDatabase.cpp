#include "database/frmDatabase.h"

#include "database/DatabaseListModels.h"
#include "services/MessageBoxes.h"
#include "services/WindowPlacement.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTabWidget>

#include <algorithm>
#include <optional>

frmDatabase::frmDatabase(DatabaseSession& session, DatabaseWindowHooks hooks, QWidget* parent)
    : QWidget(parent), m_session(session), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("frmDatabase"));
    buildControls();
    Form_Load();
}

frmDatabase::~frmDatabase() = default;

frmDatabase::DatabaseTab& frmDatabase::tab(DatabaseKind kind)
{
    return m_tabs[static_cast<std::size_t>(kind)];
}

const frmDatabase::DatabaseTab& frmDatabase::tab(DatabaseKind kind) const
{
    return m_tabs[static_cast<std::size_t>(kind)];
}

ElementDatabase& frmDatabase::database(DatabaseKind kind)
{
    return m_session.database(kind);
}

int frmDatabase::entryCount(DatabaseKind kind) const
{
    return m_session.database(kind).rowCount();
}

void frmDatabase::present()
{
    // Inside the main window's MDI area the frame is what shows and hides.
    QWidget* frame = this;
    auto* mdiFrame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (mdiFrame != nullptr)
        frame = mdiFrame;
    frame->show();
    show();
    // Guard: a caption set since the frame was sized (the file's path over the list) needs
    // more room; the frame grows to it instead of squeezing the buttons below their captions.
    frame->resize(frame->size().expandedTo(frame->minimumSizeHint()));
    // Guard: grown, or placed after another document window, the frame would reach past the
    // document area and hide OK and Help; it is moved, and shrunk if it must, to lie inside,
    // but never below its own minimum size, which would cut its captions: in a document area
    // too small for it, the area scrolls to the rest.
    if (mdiFrame != nullptr && mdiFrame->mdiArea() != nullptr && !mdiFrame->isMaximized() &&
        !mdiFrame->isMinimized()) {
        const QSize area = mdiFrame->mdiArea()->viewport()->size();
        if (!area.isEmpty())
            mdiFrame->setGeometry(fittedIntoArea(
                mdiFrame->geometry(), area,
                mdiFrame->minimumSizeHint().expandedTo(mdiFrame->minimumSize())));
    }
    frame->raise();
    frame->activateWindow();
    // Every opening starts in the list in front, where Enter presses OK, not on the button
    // used last (Help, which Enter would open again).
    QListView* list = tab(static_cast<DatabaseKind>(SSTab1->currentIndex())).lstDatabase;
    list->setFocus(Qt::ActiveWindowFocusReason);
}

std::vector<int> frmDatabase::selectedRows(const QListView* list) const
{
    std::vector<int> rows;
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    rows.reserve(static_cast<std::size_t>(selected.size()));
    for (const QModelIndex& index : selected)
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end()); // the list's order, not the order of clicking
    return rows;
}

void frmDatabase::message(const QString& text, bool warning, const QString& title)
{
    const QString caption = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
    showMessage(this, warning ? QMessageBox::Warning : QMessageBox::Information, caption, text);
}

bool frmDatabase::eventFilter(QObject* watched, QEvent* event)
{
    // The active list takes entries dragged out of either database list, and nothing else:
    // everywhere else the drag shows the no-drop pointer.
    if (watched != lstActive->viewport())
        return QWidget::eventFilter(watched, event);
    const auto sourceKind = [this](const QDropEvent* drop) -> std::optional<DatabaseKind> {
        for (DatabaseKind kind : {DatabaseKind::Primary, DatabaseKind::Secondary}) {
            if (drop->source() == tab(kind).lstDatabase)
                return kind;
        }
        return std::nullopt;
    };
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (sourceKind(drag)) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<DatabaseKind> kind = sourceKind(drop);
        if (!kind) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        lstActive_DragDrop(*kind);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
