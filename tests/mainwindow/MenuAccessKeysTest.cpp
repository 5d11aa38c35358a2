// Access keys of the menus: every caption of the menu bar and of each menu has one, and no two
// captions that are open together share it, so Alt+letter and the letter in an open menu reach
// one item only.

#include "MainWindowTestSupport.h"

#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MenuTable.h"

#include <QAction>

#include <map>
#include <vector>

namespace {

/// The access key of a caption ("E&xit" gives 'x'), lower case; empty when it has none.
QString accessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return caption.mid(i + 1, 1).toLower();
    }
    return {};
}

class MenuAccessKeys : public MainWindowTest
{
};

} // namespace

TEST(MenuAccessKeyText, IsTheLetterAfterTheSingleAmpersand)
{
    EXPECT_EQ(accessKey(QStringLiteral("E&xit")), QStringLiteral("x"));
    EXPECT_EQ(accessKey(QStringLiteral("Sun && Moon &almanac")), QStringLiteral("a"));
    EXPECT_EQ(accessKey(QStringLiteral("No key")), QString());
}

TEST_F(MenuAccessKeys, AreUniqueAmongTheCaptionsShownTogether)
{
    using menuTable::Kind;
    MDIForm1& window = mainWindow();
    // The captions open together: the bar's menus, then the items of each menu and submenu.
    std::map<QString, std::vector<QString>> groups;
    std::vector<QString> parents(4);
    for (const menuTable::Entry& entry : menuTable::kMenuTree) {
        const QString name = QString::fromUtf16(entry.name);
        if (entry.kind == Kind::Separator)
            continue;
        if (entry.kind == Kind::Menu)
            parents[static_cast<std::size_t>(entry.depth)] = name;
        if (entry.depth == 0) {
            if (!popupMenuNames().contains(name))
                groups[QStringLiteral("menu bar")].push_back(name);
            continue;
        }
        groups[parents[static_cast<std::size_t>(entry.depth - 1)]].push_back(name);
    }
    ASSERT_GT(groups.size(), 10u);

    for (const auto& [group, names] : groups) {
        std::map<QString, QString> owners;
        for (const QString& name : names) {
            const QString caption = window.menuItem(name)->text();
            const QString key = accessKey(caption);
            EXPECT_FALSE(key.isEmpty()) << name.toStdString() << " \"" << caption.toStdString()
                                        << "\" has no access key";
            if (key.isEmpty())
                continue;
            const auto [at, added] = owners.emplace(key, name);
            EXPECT_TRUE(added) << "in " << group.toStdString() << ", " << name.toStdString()
                               << " and " << at->second.toStdString() << " share the key '"
                               << key.toStdString() << "'";
        }
    }
}
