#include "ElementSetFixtures.h"

#include "database/ActiveSatellites.h"
#include "database/DatabaseListModels.h"
#include "database/ElementDatabase.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

using ListModels = SharedStateTest;

TEST_F(ListModels, ViewsSeeTheListingAndTheActiveListAfterEachRefresh)
{
    std::vector<Record_TLE> records;
    std::vector<std::string> magnitudes;
    ElementDatabase database(records, magnitudes);
    ElementListModel listing(database);
    QAbstractItemModelTester listingTester(&listing,
                                           QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(listing.rowCount(), 0);

    ElementFileFolder folder;
    const std::vector<Record_TLE> sets{makeSet("ZULU", "00002"), makeSet("ALPHA", "00009")};
    QSignalSpy resets(&listing, &QAbstractItemModel::modelReset);
    database.read(folder.write(QStringLiteral("two.tle"), elementFile(sets)), 0);
    listing.refresh();
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(listing.rowCount(), 2);
    EXPECT_EQ(listing.index(0).data().toString(), QStringLiteral("ALPHA"));
    EXPECT_EQ(listing.index(0).data(ElementListModel::RecordNumberRole).toInt(), 2);

    database.setSortKey(SortKey::CatalogueNumber);
    listing.refresh();
    EXPECT_EQ(listing.index(0).data().toString(), QStringLiteral("00002  ZULU"));
    EXPECT_EQ(listing.index(0).data(ElementListModel::RecordNumberRole).toInt(), 1);
    EXPECT_FALSE(listing.index(0).data(Qt::DecorationRole).isValid());

    ActiveSatellites active([] { return true; });
    ActiveListModel activeList(active);
    QAbstractItemModelTester activeTester(&activeList,
                                          QAbstractItemModelTester::FailureReportingMode::Warning);
    active.add(database.setsAtRows({1, 0}));
    activeList.refresh();
    ASSERT_EQ(activeList.rowCount(), 2);
    EXPECT_EQ(activeList.index(0).data().toString(), QStringLiteral("ALPHA"));
    EXPECT_EQ(activeList.index(1).data().toString(), QStringLiteral("ZULU"));
}

} // namespace
