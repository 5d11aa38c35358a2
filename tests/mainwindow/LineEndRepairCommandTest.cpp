// The Tools menu's line-end repair of an element file, chosen as the user would choose it.

#include "MainWindowTestSupport.h"

#include "mainwindow/MDIForm1.h"

#include <QAction>
#include <QCoreApplication>

namespace {

class LineEndRepairCommand : public MainWindowTest
{
protected:
    /// Runs the command on a file holding `content`; returns the file afterwards.
    QByteArray repair(const QByteArray& content)
    {
        const QString path = folderFile(QStringLiteral("elements.txt"));
        writeTestFile(path, content);
        mainWindow().setFileChooser(
            [path](const QString&, const QString&, const QString&) { return path; });
        mainWindow().menuItem(QStringLiteral("mnuStrumentiFormattazione"))->trigger();
        return readTestFile(path);
    }

    static QString text(const char16_t* key) { return mLang::Testo_lingua(u"MDIForm1", key); }
};

TEST_F(LineEndRepairCommand, LinesEndingInLfCrOrMixedAllEndInOneCrLfAndTheMessageSaysWhat)
{
    const struct
    {
        const char* name;
        QByteArray content;
        QByteArray expected;
        int lineEnds;
        int trimmed;
    } cases[] = {
        {"LF", "NOAA 15\n1 25338U\n2 25338\n", "NOAA 15\r\n1 25338U\r\n2 25338\r\n", 3, 0},
        {"CR", "NOAA 15\r1 25338U\r2 25338\r", "NOAA 15\r\n1 25338U\r\n2 25338\r\n", 3, 0},
        {"mixed, blanks, no final end", "  NOAA 15  \r1 25338U \n2 25338",
         "NOAA 15\r\n1 25338U\r\n2 25338\r\n", 3, 2},
    };
    for (const auto& c : cases) {
        ModalAnswerer answerer;
        EXPECT_EQ(repair(c.content), c.expected) << c.name;
        ASSERT_EQ(answerer.messages().size(), 2u) << c.name;
        EXPECT_EQ(answerer.messages()[0].text,
                  text(u"funzioneconversione1") + u'\n' + text(u"funzioneconversione2"));
        EXPECT_EQ(answerer.messages()[1].text,
                  text(u"conversioneterminata") + u'\n' + text(u"terminirigaconvertiti") + u' '
                      + QString::number(c.lineEnds) + u'\n' + text(u"righeripulite") + u' '
                      + QString::number(c.trimmed))
            << c.name;
        EXPECT_EQ(answerer.messages()[1].icon, QMessageBox::Information);
    }
}

TEST_F(LineEndRepairCommand, AFileThatNeedsNoRepairIsSaidSoAndLeftAlone)
{
    ModalAnswerer answerer;
    const QByteArray clean = "NOAA 15\r\n1 25338U\r\n2 25338\r\n";
    EXPECT_EQ(repair(clean), clean);
    ASSERT_EQ(answerer.messages().size(), 2u);
    EXPECT_EQ(answerer.messages()[1].text, text(u"conversionenonnecessaria"));
}

TEST_F(LineEndRepairCommand, EmptyFileOrNoChoiceLeavesEverythingAsItWas)
{
    ModalAnswerer answerer;
    EXPECT_EQ(repair(QByteArray()), QByteArray());
    EXPECT_EQ(answerer.messages().size(), 1u) << "only the explanation before the choice";

    const QString path = folderFile(QStringLiteral("kept.txt"));
    writeTestFile(path, "A\nB\n");
    mainWindow().setFileChooser(
        [](const QString&, const QString&, const QString&) { return QString(); });
    mainWindow().menuItem(QStringLiteral("mnuStrumentiFormattazione"))->trigger();
    EXPECT_EQ(readTestFile(path), QByteArray("A\nB\n"));
}

TEST_F(LineEndRepairCommand, CommandThatFailsIsToldOnceAndTheNextOneStillRuns)
{
    int chosen = 0;
    // Choosing the file fails with something that is no std::exception.
    mainWindow().setFileChooser([&chosen](const QString&, const QString&, const QString&) -> QString {
        ++chosen;
        throw 7;
    });
    const ModalAnswerer answerer;
    EXPECT_FALSE(mainWindow().runCommand(QStringLiteral("mnuStrumentiFormattazione")));
    EXPECT_FALSE(mainWindow().runCommand(QStringLiteral("mnuStrumentiFormattazione")));
    QCoreApplication::processEvents();
    EXPECT_EQ(chosen, 2);
    int told = 0;
    for (const ModalAnswerer::Message& message : answerer.messages())
        told += message.text == text(u"errorecomando") ? 1 : 0;
    EXPECT_EQ(told, 1);
}

} // namespace
