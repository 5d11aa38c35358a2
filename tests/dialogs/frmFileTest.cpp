// The element-file text window: reading and saving with the file's own line ends, the close
// question, and printing to a PDF file.

#include "DialogTestSupport.h"

#include "dialogs/TextFileContent.h"
#include "dialogs/frmFile.h"
#include "dialogs/frmLanguage.h"
#include "controls/GraphButton/GraphButton.h"
#include "services/WindowRegistry.h"
#include "services/Printing.h"

#include <QListWidget>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>

#include <memory>

namespace {

struct DecodeCase
{
    const char* name;
    QByteArray bytes;
    QString text;
    TextLineEnd lineEnd;
    TextEncoding encoding;
    QByteArray saved; ///< what saving the unchanged text writes
};

class TextFileContentDecoding : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(TextFileContentDecoding, ShowsEveryLineEndAsOneAndSavesInTheFilesKind)
{
    const DecodeCase& c = GetParam();
    const TextFileContent content = decodeTextFile(c.bytes);
    EXPECT_EQ(content.text, c.text) << c.name;
    EXPECT_EQ(content.lineEnd, c.lineEnd) << c.name;
    EXPECT_EQ(content.encoding, c.encoding) << c.name;
    EXPECT_EQ(encodeTextFile(content.text, content), c.saved) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    LineEndsAndEncodings, TextFileContentDecoding,
    ::testing::Values(
        DecodeCase{"crlf", "ISS\r\n1 25544U\r\n", QStringLiteral("ISS\n1 25544U\n"),
                   TextLineEnd::CrLf, TextEncoding::Utf8, "ISS\r\n1 25544U\r\n"},
        DecodeCase{"lf", "ISS\n1 25544U\n", QStringLiteral("ISS\n1 25544U\n"), TextLineEnd::Lf,
                   TextEncoding::Utf8, "ISS\n1 25544U\n"},
        DecodeCase{"cr alone", "ISS\r1 25544U\r", QStringLiteral("ISS\n1 25544U\n"),
                   TextLineEnd::CrLf, TextEncoding::Utf8, "ISS\r\n1 25544U\r\n"},
        DecodeCase{"mixed, first is crlf", "a\r\nb\nc\rd", QStringLiteral("a\nb\nc\nd"),
                   TextLineEnd::CrLf, TextEncoding::Utf8, "a\r\nb\r\nc\r\nd"},
        DecodeCase{"no line end", "ISS", QStringLiteral("ISS"), TextLineEnd::CrLf,
                   TextEncoding::Utf8, "ISS"},
        DecodeCase{"empty lines kept", "a\r\n\r\n\r\nb", QStringLiteral("a\n\n\nb"),
                   TextLineEnd::CrLf, TextEncoding::Utf8, "a\r\n\r\n\r\nb"},
        DecodeCase{"utf-8 with mark", "\xEF\xBB\xBFM\xC3\xBCnchen\n", QStringLiteral("M\u00FCnchen\n"),
                   TextLineEnd::Lf, TextEncoding::Utf8, "\xEF\xBB\xBFM\xC3\xBCnchen\n"},
        DecodeCase{"latin-1", "M\xFCnchen\r\n", QStringLiteral("M\u00FCnchen\n"),
                   TextLineEnd::CrLf, TextEncoding::Latin1, "M\xFCnchen\r\n"}),
    [](const ::testing::TestParamInfo<DecodeCase>& testInfo) {
        std::string name = testInfo.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(TextFileContentEncoding, EditedTextIsSavedSoThatItReadsBackAsTyped)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        QString edited;
        QByteArray saved;
    };
    const Case cases[] = {
        {"latin-1 text with a character beyond latin-1", "caf\xE9\n",
         QStringLiteral("caf\u00E9\n\u20AC"), "caf\xC3\xA9\n\xE2\x82\xAC"},
        {"latin-1 text still invalid as utf-8", "caf\xE9\n", QStringLiteral("caf\u00E9 \u00C2"),
         "caf\xE9 \xC2"},
        // Written as Latin-1, these two characters would be read back as the one of "é".
        {"latin-1 bytes that are utf-8", "caf\xE9\n", QStringLiteral("\u00C3\u00A9\n"),
         "\xC3\x83\xC2\xA9\n"},
        {"latin-1 text now plain ascii", "caf\xE9\r\n", QStringLiteral("cafe\n"), "cafe\r\n"},
        // Reading takes a leading mark away, so one that is part of the text needs another.
        {"text beginning with a mark, file without", "a\n", QStringLiteral("\uFEFFa\n"),
         "\xEF\xBB\xBF\xEF\xBB\xBF" "a\n"},
        {"text beginning with a mark, latin-1 file", "\xE9", QStringLiteral("\uFEFF\u00E9"),
         "\xEF\xBB\xBF\xEF\xBB\xBF\xC3\xA9"},
        {"text beginning with a mark, file with one", "\xEF\xBB\xBF" "a", QStringLiteral("\uFEFF"),
         "\xEF\xBB\xBF\xEF\xBB\xBF"},
    };
    for (const Case& c : cases) {
        const TextFileContent format = decodeTextFile(c.file);
        const QByteArray saved = encodeTextFile(c.edited, format);
        EXPECT_EQ(saved, c.saved) << c.name;
        EXPECT_EQ(decodeTextFile(saved).text, c.edited) << c.name;
    }
}

/// A text window over a temporary folder with the program's English texts, its dialogs
/// answered by the test.
class TextWindow : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        writeLanguageFile(QStringLiteral("English.ini"),
                          readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
        useLanguageFile(QStringLiteral("English.ini"));
    }

    std::unique_ptr<frmFile> newWindow()
    {
        frmFile::Hooks hooks;
        hooks.chooseSaveFile = [this](QWidget*, const QString&, const QString& proposed,
                                      const QString&) {
            ++m_saveDialogs;
            m_proposed = proposed;
            return m_saveAs;
        };
        hooks.choosePrinter = [this](QWidget*, QPrinter& printer, bool selection) {
            m_selectionOffered = selection;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_pdf);
            printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
            return m_printChosen;
        };
        return std::make_unique<frmFile>(std::move(hooks));
    }

    static QTextEdit* text(frmFile& window)
    {
        return window.findChild<QTextEdit*>(QStringLiteral("txtFile"));
    }

    static void type(frmFile& window, const QString& typed)
    {
        QTextCursor cursor = text(window)->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(typed);
        text(window)->setTextCursor(cursor);
    }

    QString m_saveAs;
    QString m_proposed;
    int m_saveDialogs = 0;
    QString m_pdf = folderFile(QStringLiteral("print.pdf"));
    bool m_printChosen = true;
    bool m_selectionOffered = false;
};

const QByteArray kElementSet = "ISS (ZARYA)\n"
                               "1 25544U 98067A   26342.50000000  .00016717  00000-0  10270-3 0  9005\n"
                               "2 25544  51.6400 120.0000 0004000  80.0000 280.0000 15.50000000    04\n";

TEST_F(TextWindow, EditedTextIsSavedToItsFileAndReadsBackWithTheFilesLineEnds)
{
    const QString path = folderFile(QStringLiteral("iss.txt"));
    writeTestFile(path, kElementSet);
    auto window = newWindow();
    window->Leggi(path);
    EXPECT_EQ(window->windowTitle(), path);
    EXPECT_EQ(window->editorText(), QString::fromLatin1(kElementSet));
    EXPECT_FALSE(window->isChanged());

    type(*window, QStringLiteral("x"));
    EXPECT_TRUE(window->isChanged());
    text(*window)->textCursor().deletePreviousChar();
    EXPECT_FALSE(window->isChanged()) << "the text read, typed back, is unchanged";

    type(*window, QStringLiteral("NOAA 19\n"));
    ASSERT_TRUE(window->Salva());
    EXPECT_EQ(m_saveDialogs, 0) << "a window read from a file saves to it";
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(readTestFile(path), kElementSet + "NOAA 19\n");

    auto reopened = newWindow();
    reopened->Leggi(path);
    EXPECT_EQ(reopened->editorText(), window->editorText());
}

TEST_F(TextWindow, UnreadableFileIsReportedAndTheWindowCloses)
{
    auto window = newWindow();
    MessageBoxAnswers answers;
    window->show();
    window->Leggi(folderFile(QStringLiteral("missing.txt")));
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_EQ(answers.texts[0], mLang::Testo_lingua(u"Dialogs", u"formatononvalido"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TextWindow, NewWindowAsksForANameAtEverySaveAndClosesQuietlyWhenSaved)
{
    auto window = newWindow();
    window->setProperty("Tag", QStringLiteral("Untitled 1"));
    window->setProperty("gblnDialog", true);
    m_saveAs = folderFile(QStringLiteral("new.tle"));
    type(*window, QStringLiteral("ISS\n"));
    ASSERT_TRUE(window->Salva());
    EXPECT_EQ(m_proposed, QStringLiteral("Untitled 1"));
    EXPECT_EQ(readTestFile(m_saveAs), QByteArray("ISS\r\n")) << "a new file has CR LF line ends";
    EXPECT_TRUE(window->Salva());
    EXPECT_EQ(m_saveDialogs, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled 1"));

    MessageBoxAnswers answers(QMessageBox::Cancel);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(answers.texts.isEmpty());
}

struct CloseCase
{
    const char* name;
    QMessageBox::StandardButton answer;
    const char* saveAs; ///< the save dialog's answer: a file name, "" for Cancel, or a bad path
    bool closes;
    QByteArray fileAfter; ///< the chosen file's content afterwards (empty: not written)
    bool saveReported;    ///< a message after the question tells that the save failed
};

class TextWindowClosing : public TextWindow, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(TextWindowClosing, ChangedTextIsSavedLostOrKeptAsTheUserAnswers)
{
    const CloseCase& c = GetParam();
    auto window = newWindow();
    window->setProperty("Tag", QStringLiteral("Untitled 1"));
    window->setProperty("gblnDialog", true);
    window->show();
    const QString target = *c.saveAs != '\0' ? folderFile(QString::fromLatin1(c.saveAs)) : QString();
    m_saveAs = target;
    type(*window, QStringLiteral("ISS\n"));

    MessageBoxAnswers answers(c.answer);
    EXPECT_EQ(window->close(), c.closes) << c.name;
    ASSERT_EQ(answers.texts.size(), c.saveReported ? 2 : 1) << c.name << ": Cancel is silent";
    EXPECT_EQ(answers.texts[0], mLang::Testo_lingua(u"frmFile", u"salvamodifiche"));
    if (c.saveReported) {
        EXPECT_TRUE(answers.texts[1].startsWith(mLang::Testo_lingua(u"frmFile", u"nonsalvato")));
        EXPECT_TRUE(answers.texts[1].contains(target)) << "the message names the file";
    }
    EXPECT_EQ(window->isVisible(), !c.closes) << c.name;
    if (!c.closes) {
        EXPECT_EQ(window->editorText(), QStringLiteral("ISS\n")) << c.name << ": text kept";
    }
    if (!target.isEmpty()) {
        EXPECT_EQ(readTestFile(target), c.fileAfter) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TextWindowClosing,
    ::testing::Values(
        CloseCase{"YesSaves", QMessageBox::Yes, "saved.tle", true, "ISS\r\n", false},
        CloseCase{"YesThenCancelledDialog", QMessageBox::Yes, "", false, {}, false},
        CloseCase{"YesThenFailedSave", QMessageBox::Yes, "missing/saved.tle", false, {}, true},
        CloseCase{"NoLosesTheChanges", QMessageBox::No, "saved.tle", true, {}, false},
        CloseCase{"CancelKeepsTheWindow", QMessageBox::Cancel, "saved.tle", false, {}, false}),
    [](const ::testing::TestParamInfo<CloseCase>& testInfo) { return std::string(testInfo.param.name); });

/// The page count of a PDF file as Qt writes it: the "/Count" of its one page tree.
int pdfPages(const QByteArray& pdf)
{
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("/Type /Pages\\s*/Kids[^/]*/Count (\\d+)"))
            .match(QString::fromLatin1(pdf));
    return count.hasMatch() ? count.captured(1).toInt() : 0;
}

TEST_F(TextWindow, PrintsTheWholeTextOrTheSelectionAsOneDocument)
{
    QString longText;
    for (int line = 0; line < 200; ++line)
        longText += QStringLiteral("1 25544U 98067A   26342.50000000  .00016717  00000-0  10270-3 0  9005\n");
    const QString path = folderFile(QStringLiteral("long.txt"));
    writeTestFile(path, longText.toLatin1());
    auto window = newWindow();
    window->Leggi(path);

    window->Stampa();
    EXPECT_FALSE(m_selectionOffered);
    const QByteArray whole = readTestFile(m_pdf);
    ASSERT_TRUE(whole.startsWith("%PDF")) << "the job was ended and its file written";
    EXPECT_EQ(whole.count("%%EOF"), 1);
    const int wholePages = pdfPages(whole);
    EXPECT_GE(wholePages, 3) << "200 lines of 10 points run over several pages";

    QFile::remove(m_pdf);
    QTextCursor cursor = text(*window)->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
    text(*window)->setTextCursor(cursor);
    window->Stampa();
    EXPECT_TRUE(m_selectionOffered);
    const QByteArray selection = readTestFile(m_pdf);
    ASSERT_TRUE(selection.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(selection), 1) << "two selected lines fit one page";
}

TEST_F(TextWindow, CancelledPrintDialogPrintsNothingAndAFailedPrintIsReported)
{
    auto window = newWindow();
    type(*window, QStringLiteral("ISS\n"));
    MessageBoxAnswers answers;
    m_printChosen = false;
    window->Stampa();
    EXPECT_FALSE(QFile::exists(m_pdf));
    EXPECT_TRUE(answers.texts.isEmpty());

    m_printChosen = true;
    m_pdf = folderFile(QStringLiteral("missing/print.pdf"));
    window->Stampa();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_EQ(answers.texts[0], mLang::Testo_lingua(u"frmFile", u"stampafallita"));
}

TEST_F(TextWindow, LanguageChangeClosesNoTextWindowItsUserKeeps)
{
    // The language chooser closes every window to relabel it, the text windows included.
    writeLanguageFile(QStringLiteral("italiano.ini"), "[frmLanguage]\nlingua=Lingua\n");
    WindowRegistry& windows = WindowRegistry::instance();
    auto* owner = new QWidget;
    owner->setObjectName(QStringLiteral("MDIForm1"));
    windows.adopt(owner);
    QPointer<frmFile> kept = newWindow().release();
    QPointer<frmFile> unchanged = newWindow().release();
    windows.adopt(kept);
    windows.adopt(unchanged);
    type(*kept, QStringLiteral("ISS\n"));
    auto* chooser = new frmLanguage(owner);
    windows.adopt(chooser);
    chooser->show();
    chooser->findChild<QListWidget*>(QStringLiteral("lstLingua"))->setCurrentRow(1);
    {
        MessageBoxAnswers answers(QMessageBox::Cancel);
        emit chooser->findChild<GraphButton*>(QStringLiteral("cmdOK"))->Click();
        EXPECT_EQ(answers.texts.size(), 1);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(unchanged.isNull());
    ASSERT_FALSE(kept.isNull());
    EXPECT_EQ(kept->editorText(), QStringLiteral("ISS\n"));

    MessageBoxAnswers answers(QMessageBox::No);
    windows.unload(kept);
    windows.unload(owner);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
