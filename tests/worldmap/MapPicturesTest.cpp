// The world map's decoded pictures: the globe changes its picture every few minutes as the
// principal moves from view to view, and a program left tracking for days must not end up
// holding every picture it has shown.

#include "worldmap/MapPictures.h"
#include "worldmap/WorldMapGeometry.h"

#include "services/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace worldmap;

namespace {

QString fileName(std::string_view file)
{
    return QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

/// A program folder with the installation's map pictures.
class MapPicturesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        const QDir data(QStringLiteral(QUORVANEL_DATA_DIR));
        for (const QString& name : data.entryList({QStringLiteral("Map*.dat")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(data.filePath(name), m_folder.filePath(name)));
        MyPath = m_folder.path();
    }
    void TearDown() override { MyPath = m_savedPath; }

    /// Every picture of the map: the rectangular Earth, then the fourteen views of the globe.
    static std::vector<std::string_view> everyPicture()
    {
        std::vector<std::string_view> files{kRectangularPicture};
        for (const OrthoView& view : orthographicViews())
            files.push_back(view.file);
        return files;
    }

    QTemporaryDir m_folder;
    QString m_savedPath = MyPath;
};

} // namespace

TEST_F(MapPicturesTest, HoldsOnlyThePictureLastShownWhateverTheViewsVisited)
{
    MapPictures pictures;
    const QSize box(900, 450);
    std::size_t mostHeld = 0;
    // Two days of a low orbit visit every view many times over.
    for (int round = 0; round < 3; ++round) {
        for (const std::string_view file : everyPicture()) {
            QString error;
            const QImage* picture = pictures.scaled(file, box, &error);
            ASSERT_NE(picture, nullptr)
                << fileName(file).toStdString() << ": " << error.toStdString();
            EXPECT_EQ(picture->size(), box);
            mostHeld = std::max(mostHeld, pictures.heldCount());
        }
    }
    EXPECT_EQ(mostHeld, 1u) << "pictures held at most, of " << everyPicture().size() << " shown";
}

TEST_F(MapPicturesTest, PictureShownAgainIsNeitherReadNorScaledAgain)
{
    MapPictures pictures;
    const std::string_view file = orthographicViews().front().file;
    const QImage* first = pictures.scaled(file, QSize(800, 400));
    ASSERT_NE(first, nullptr);
    const qint64 firstKey = first->cacheKey();
    ASSERT_TRUE(QFile::remove(dataFilePath(fileName(file))));

    const QImage* again = pictures.scaled(file, QSize(800, 400));
    ASSERT_NE(again, nullptr) << "the picture in use is kept, not read again";
    EXPECT_EQ(again->cacheKey(), firstKey) << "nor scaled again";

    const QImage* resized = pictures.scaled(file, QSize(640, 320));
    ASSERT_NE(resized, nullptr) << "a resize scales the kept picture";
    EXPECT_EQ(resized->size(), QSize(640, 320));
}

TEST_F(MapPicturesTest, PictureLeftIsReadAgainWhenTheViewComesBack)
{
    MapPictures pictures;
    const std::string_view left = orthographicViews()[0].file;
    const std::string_view next = orthographicViews()[1].file;
    ASSERT_NE(pictures.scaled(left, QSize(800, 400)), nullptr);
    ASSERT_NE(pictures.scaled(next, QSize(800, 400)), nullptr);
    ASSERT_TRUE(QFile::remove(dataFilePath(fileName(left))));

    QString error;
    EXPECT_EQ(pictures.scaled(left, QSize(800, 400), &error), nullptr)
        << "the picture left behind was let go, so it is read from the folder again";
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(MapPicturesTest, UnreadablePictureIsTriedAgainNextTime)
{
    MapPictures pictures;
    const std::string_view file = orthographicViews()[2].file;
    const QString path = dataFilePath(fileName(file));
    const QString aside = path + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(path, aside));
    QString error;
    EXPECT_EQ(pictures.scaled(file, QSize(800, 400), &error), nullptr);
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(QFile::rename(aside, path));
    EXPECT_NE(pictures.scaled(file, QSize(800, 400)), nullptr);
    EXPECT_EQ(pictures.heldCount(), 1u);
}
