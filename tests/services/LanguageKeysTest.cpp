// Every language text the program looks up must be in data/English.ini. The sources under
// src/ are scanned for calls of Testo_lingua whose section and key can be read off the call.
//
// Accepted forms of each of the first two arguments:
//   "text"   u"text"   u8"text"   "text"_L1   u"text"_s
//   QStringLiteral("text")   QLatin1String("text")   QLatin1StringView("text")
//   QStringView(u"text")   QAnyStringView("text")   QString::fromLatin1("text")
//   QString::fromUtf8("text")
// and, for the section only, objectName() or this->objectName() in a file named after its
// window (frmTime.cpp, MDIForm1.cpp): the window's object name is its class name. The call
// may be qualified (mLang::Testo_lingua) and may span several lines. A call written any other
// way (a variable section, a computed key) cannot be checked here and is skipped.

#include "support/TestFiles.h"

#include "services/mLang.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <map>
#include <set>
#include <vector>

namespace {

const QString kEnglishFile = QStringLiteral(QUORVANEL_DATA_DIR "/English.ini");

struct Lookup
{
    QString place; ///< file:line of the call
    QString section;
    QString key;
};

/// The first two top-level arguments of the call whose "(" is at `open`.
QStringList callArguments(const QString& source, qsizetype open)
{
    QStringList arguments;
    QString current;
    int depth = 0;
    for (qsizetype i = open + 1; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == u'"') {
            const qsizetype start = i;
            for (++i; i < source.size() && source.at(i) != u'"'; ++i) {
                if (source.at(i) == u'\\')
                    ++i;
            }
            current += source.mid(start, i - start + 1);
            continue;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (depth == 0) {
                arguments.append(current.trimmed());
                return arguments;
            }
            --depth;
        } else if (c == u',' && depth == 0) {
            arguments.append(current.trimmed());
            current.clear();
            if (arguments.size() == 2)
                return arguments;
            continue;
        }
        current += c;
    }
    return arguments;
}

/// The text of a literal argument, or a null string when the argument is not a literal.
QString literalText(const QString& argument)
{
    static const QString literal = QStringLiteral(R"re((?:u8|u|U|L)?"((?:[^"\\]|\\.)*)"(?:_L1|_s|_qs)?)re");
    static const QRegularExpression bare(QStringLiteral("^") + literal + QStringLiteral("$"));
    static const QRegularExpression wrapped(
        QStringLiteral(R"(^(?:QStringLiteral|QLatin1String|QLatin1StringView|QStringView|)"
                       R"(QAnyStringView|QString::fromLatin1|QString::fromUtf8)\s*\(\s*)")
        + literal + QStringLiteral(R"(\s*\)$)"));
    QRegularExpressionMatch match = bare.match(argument);
    if (!match.hasMatch())
        match = wrapped.match(argument);
    if (!match.hasMatch())
        return {};
    QString text = match.captured(1);
    text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return text.isNull() ? QStringLiteral("") : text;
}

/// The window name that objectName() stands for in `fileName`, or a null string.
QString windowOfFile(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.startsWith(QStringLiteral("frm")) || base == QStringLiteral("MDIForm1")
               ? base
               : QString();
}

std::vector<Lookup> findLookups(const QString& source, const QString& fileName)
{
    static const QRegularExpression call(QStringLiteral(R"((?<![A-Za-z0-9_])Testo_lingua\s*\()"));
    static const QRegularExpression objectName(
        QStringLiteral(R"(^(?:this\s*->\s*)?objectName\s*\(\s*\)$)"));
    std::vector<Lookup> lookups;
    QRegularExpressionMatchIterator it = call.globalMatch(source);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QStringList arguments = callArguments(source, match.capturedEnd() - 1);
        if (arguments.size() < 2)
            continue;
        QString section = literalText(arguments.at(0));
        if (section.isNull() && objectName.match(arguments.at(0)).hasMatch())
            section = windowOfFile(fileName);
        const QString key = literalText(arguments.at(1));
        if (section.isNull() || key.isNull())
            continue;
        const qsizetype line = source.left(match.capturedStart()).count(u'\n') + 1;
        lookups.push_back({fileName + u':' + QString::number(line), section, key});
    }
    return lookups;
}

/// Sections and keys of a language file as the lookup sees them: names in lower case, only
/// the first section of a name, only the first line of a key.
struct LanguageFile
{
    std::map<QString, std::map<QString, QString>> sections;
    QStringList problems;
};

LanguageFile parseLanguageFile(const QByteArray& bytes)
{
    LanguageFile file;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        file.problems.append(QStringLiteral("the file is not valid UTF-8"));
    std::map<QString, std::map<QString, QString>>* sections = &file.sections;
    std::map<QString, QString>* current = nullptr;
    std::set<QString> seenSections;
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString where = QStringLiteral("line ") + QString::number(n + 1) + u' ';
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close - 1).toLower();
            if (close < 0 || !seenSections.insert(name).second) {
                file.problems.append(where + QStringLiteral("repeats or breaks a section header: ")
                                     + line);
                current = nullptr;
                continue;
            }
            current = &(*sections)[name];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!current || equals <= 0 || line.at(equals - 1) == u' ' || line.at(0) == u' ') {
            file.problems.append(where + QStringLiteral("is not a key line of a section: ") + line);
            continue;
        }
        const QString key = line.left(equals).toLower();
        if (!current->emplace(key, line.mid(equals + 1)).second)
            file.problems.append(where + QStringLiteral("repeats a key: ") + line);
    }
    return file;
}

TEST(LanguageKeyScan, RecognisesTheDocumentedCallForms)
{
    const QString source = QStringLiteral(R"cpp(
        caption = Testo_lingua("MDIForm1", "erroredb");
        caption = mLang::Testo_lingua(u"Buttons", u"ok") + x;
        caption = Testo_lingua(QStringLiteral("frmTime"),
                               QLatin1String("datatempo"));
        caption = Testo_lingua(objectName(), u8"stop");
        caption = Testo_lingua(this->objectName(), "quote\"d"_L1);
        caption = Testo_lingua(section, "ignored");
        caption = Testo_lingua("Def", key);
        caption = myTesto_lingua("Def", "ignored");
        caption = Testo_lingua(QString::fromLatin1("Def"), QAnyStringView("a,b"));
    )cpp");
    const std::vector<Lookup> lookups = findLookups(source, QStringLiteral("frmTime.cpp"));
    const std::vector<std::pair<QString, QString>> expected{
        {QStringLiteral("MDIForm1"), QStringLiteral("erroredb")},
        {QStringLiteral("Buttons"), QStringLiteral("ok")},
        {QStringLiteral("frmTime"), QStringLiteral("datatempo")},
        {QStringLiteral("frmTime"), QStringLiteral("stop")},
        {QStringLiteral("frmTime"), QStringLiteral("quote\"d")},
        {QStringLiteral("Def"), QStringLiteral("a,b")},
    };
    ASSERT_EQ(lookups.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lookups[i].section, expected[i].first) << i;
        EXPECT_EQ(lookups[i].key, expected[i].second) << i;
    }
    EXPECT_EQ(lookups[2].place, QStringLiteral("frmTime.cpp:4"));
    EXPECT_TRUE(findLookups(source, QStringLiteral("helpers.cpp")).size() == expected.size() - 2);
}

TEST(EnglishLanguageFile, IsWellFormedUtf8WithUniqueSectionsAndKeys)
{
    const QByteArray bytes = readTestFile(kEnglishFile);
    ASSERT_FALSE(bytes.isEmpty()) << "missing " << kEnglishFile.toStdString();
    const LanguageFile file = parseLanguageFile(bytes);
    EXPECT_TRUE(file.problems.isEmpty()) << file.problems.join(u'\n').toStdString();

    for (const char* shared : {"def", "dialogs", "buttons", "tooltips", "planets", "conditions",
                               "help"})
        EXPECT_TRUE(file.sections.count(QString::fromLatin1(shared))) << shared;
    ASSERT_TRUE(file.sections.count(QStringLiteral("help")));
    EXPECT_FALSE(file.sections.at(QStringLiteral("help")).at(QStringLiteral("file")).isEmpty());
}

TEST(EnglishLanguageFile, HoldsEveryTextTheSourcesLookUp)
{
    const LanguageFile file = parseLanguageFile(readTestFile(kEnglishFile));
    const QString sourceRoot = QStringLiteral(QUORVANEL_SOURCE_DIR "/src");
    QStringList missing;
    int checked = 0;
    QDirIterator files(sourceRoot, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString source = QString::fromUtf8(readTestFile(path));
        const QString relative = QDir(sourceRoot).relativeFilePath(path);
        for (const Lookup& lookup : findLookups(source, relative)) {
            ++checked;
            const auto section = file.sections.find(lookup.section.toLower());
            if (section == file.sections.end() || !section->second.count(lookup.key.toLower()))
                missing.append(lookup.place + QStringLiteral(": [") + lookup.section
                               + QStringLiteral("] ") + lookup.key);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << "texts missing from English.ini (" << missing.size() << " of "
                                   << checked << "):\n"
                                   << missing.join(u'\n').toStdString();
}

class EnglishLanguageLookup : public ProgramStateTest
{
};

TEST_F(EnglishLanguageLookup, FindsEveryTextOfTheFile)
{
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    Impostazioni.File_lingua = "English.ini";
    const LanguageFile file = parseLanguageFile(readTestFile(kEnglishFile));
    ASSERT_FALSE(file.sections.empty());
    for (const auto& [section, keys] : file.sections) {
        for (const auto& [key, text] : keys)
            EXPECT_EQ(mLang::Testo_lingua(section, key), text) << '[' << section.toStdString()
                                                               << "] " << key.toStdString();
    }
}

} // namespace
