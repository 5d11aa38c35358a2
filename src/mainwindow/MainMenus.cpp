#include "mainwindow/MainMenus.h"

#include "mainwindow/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

using namespace menuTable;

constexpr int kMaxDepth = 3;

void applyDesign(QAction* action, const Entry& entry)
{
    action->setObjectName(QString::fromUtf16(entry.name));
    action->setCheckable(entry.mark != Mark::None);
    action->setChecked(entry.mark == Mark::Ticked);
    action->setEnabled(entry.enabled);
    if (entry.shortcut != Qt::Key_unknown)
        action->setShortcut(QKeySequence(entry.shortcut));
}

} // namespace

const QStringList& popupMenuNames()
{
    static const QStringList names{QStringLiteral("mnuWorldmap"), QStringLiteral("mnuLocalSky"),
                                   QStringLiteral("mnuGeneralSky"), QStringLiteral("mnuSkySat")};
    return names;
}

MainMenus buildMainMenus(QMenuBar* bar, QWidget* owner)
{
    MainMenus built;
    QMenu* parents[kMaxDepth] = {};
    for (const Entry& entry : kMenuTree) {
        const QString name = QString::fromUtf16(entry.name);
        QMenu* parent = entry.depth > 0 ? parents[entry.depth - 1] : nullptr;
        switch (entry.kind) {
        case Kind::Separator:
            parent->addSeparator();
            break;
        case Kind::Menu: {
            auto* created = entry.depth == 0 ? new QMenu(owner) : parent->addMenu(QString());
            if (entry.depth == 0 && !popupMenuNames().contains(name))
                bar->addMenu(created);
            created->setObjectName(name);
            created->menuAction()->setObjectName(name);
            parents[entry.depth] = created;
            built.menus.insert(name, created);
            built.items.insert(name, created->menuAction());
            if (entry.depth > 0 || !popupMenuNames().contains(name))
                built.captioned.append(name);
            break;
        }
        case Kind::Item: {
            QAction* action = parent->addAction(QString());
            applyDesign(action, entry);
            built.items.insert(name, action);
            built.captioned.append(name);
            break;
        }
        }
    }
    return built;
}
