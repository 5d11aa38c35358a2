#include "dialogs/AddressLists.h"

#include "common/options.h"

#include <QTreeWidget>

namespace addressLists {

QStringList defaultTimeServers()
{
    QStringList servers;
    for (const std::string& server : kDefaultTimeServers)
        servers.append(QString::fromStdString(server));
    return servers;
}

QStringList defaultDownloadAddresses()
{
    // The file names in the order the download service lists them.
    static const char* const kFiles[] = {
        "visual",   "tle-new", "stations",   "weather",  "noaa",     "goes",        "resource",
        "sarsat",   "tdrss",   "geo",        "intelsat", "gorizont", "raduga",      "molniya",
        "iridium",  "orbcomm", "globalstar", "amateur",  "x-comm",   "other-comm",  "gps-ops",
        "glo-ops",  "nnss",    "musson",     "science",  "geodetic", "engineering", "education",
        "military", "radar",   "other"};
    QStringList addresses;
    for (const char* file : kFiles)
        addresses.append(QString::fromLatin1(kElementSetServer) +
                         QStringLiteral("/NORAD/elements/") + QString::fromLatin1(file) +
                         QStringLiteral(".txt"));
    return addresses;
}

void restore(QTreeWidget& list, const QStringList& texts)
{
    for (int row = 0; row < list.topLevelItemCount() && row < texts.size(); ++row)
        list.topLevelItem(row)->setText(0, texts[row]);
}

void clear(QTreeWidget& list)
{
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        list.topLevelItem(row)->setText(0, QString());
}

bool moveSelected(QTreeWidget& list, int step)
{
    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty())
        return false;
    const int row = list.indexOfTopLevelItem(selected.first());
    const int other = row + step;
    if (row < 0 || other < 0 || other >= list.topLevelItemCount())
        return true;
    QTreeWidgetItem* from = list.topLevelItem(row);
    QTreeWidgetItem* to = list.topLevelItem(other);
    const QString text = from->text(0);
    from->setText(0, to->text(0));
    to->setText(0, text);
    list.setCurrentItem(to);
    list.clearSelection();
    to->setSelected(true);
    list.setFocus();
    return true;
}

} // namespace addressLists
