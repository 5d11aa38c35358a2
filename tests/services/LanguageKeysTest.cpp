// Every language text the program looks up must be in data/English.ini. The sources under
// src/ are scanned for calls of Testo_lingua whose section and key can be read off the call.
//
// Accepted forms of each of the first two arguments:
//   "text"   u"text"   u8"text"   "text"_L1   u"text"_s
//   QStringLiteral("text")   QLatin1String("text")   QLatin1StringView("text")
//   QStringView(u"text")   QAnyStringView("text")   QString::fromLatin1("text")
//   QString::fromUtf8("text")
// and, for the section only, objectName() or this->objectName() in a file named after its
// window (frmTime.cpp, MDIForm1.cpp): a window's object name is its class name. The call may
// be qualified (mLang::Testo_lingua) and may span several lines. A call written any other way
// (a variable section, a computed key) cannot be checked here and is skipped.

#include "support/TestFiles.h"

#include "services/mLang.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <map>

namespace {

const QString kEnglishFile = QStringLiteral(QUORVANEL_DATA_DIR "/English.ini");

struct Lookup
{
    QString place; ///< file:line of the call
    QString section;
    QString key;
};

const QString kLiteral = QStringLiteral(R"re((?:u8|u|U|L)?"(?:[^"\\]|\\.)*"(?:_L1|_s)?)re");
const QString kWrapped = QStringLiteral(R"re((?:QStringLiteral|QLatin1String(?:View)?|)re"
                                        R"re(QStringView|QAnyStringView|QString::fromLatin1|)re"
                                        R"re(QString::fromUtf8)\s*\(\s*)re") +
                         kLiteral + QStringLiteral(R"(\s*\))");
const QString kObjectName = QStringLiteral(R"((?:this\s*->\s*)?objectName\s*\(\s*\))");

/// The text inside the string literal of a matched argument; a null string for objectName().
QString argumentText(const QString& argument)
{
    static const QRegularExpression quoted(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    const QRegularExpressionMatch match = quoted.match(argument);
    if (!match.hasMatch())
        return {};
    QString text = match.captured(1);
    text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return text.isNull() ? QStringLiteral("") : text;
}

std::vector<Lookup> findLookups(const QString& source, const QString& fileName)
{
    const QString literalArgument = QStringLiteral("(") + kWrapped + u'|' + kLiteral + u')';
    static const QRegularExpression call(
        QStringLiteral(R"((?<![A-Za-z0-9_])Testo_lingua\s*\(\s*()") + kObjectName + u'|' +
        kWrapped + u'|' + kLiteral + QStringLiteral(R"()\s*,\s*)") + literalArgument +
        QStringLiteral(R"(\s*[,)])"));
    const QString base = QFileInfo(fileName).completeBaseName();
    const bool windowFile = base.startsWith(QStringLiteral("frm")) || base == u"MDIForm1";
    std::vector<Lookup> lookups;
    QRegularExpressionMatchIterator it = call.globalMatch(source);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString section = argumentText(match.captured(1));
        if (section.isNull()) { // objectName()
            if (!windowFile)
                continue;
            section = base;
        }
        const qsizetype line = source.left(match.capturedStart()).count(u'\n') + 1;
        lookups.push_back(
            {fileName + u':' + QString::number(line), section, argumentText(match.captured(2))});
    }
    // The per-window helper: "WindowTexts name(u"section");" then name(u"key") calls.
    static const QRegularExpression helper(
        QStringLiteral(R"((?<![A-Za-z0-9_])WindowTexts\s+(\w+)\s*[({]\s*()") + kLiteral +
        QStringLiteral(R"()\s*[)}])"));
    QRegularExpressionMatchIterator declared = helper.globalMatch(source);
    while (declared.hasNext()) {
        const QRegularExpressionMatch declaration = declared.next();
        const QString section = argumentText(declaration.captured(2));
        const QRegularExpression use(QStringLiteral(R"((?<![A-Za-z0-9_.>:])\b)") +
                                     QRegularExpression::escape(declaration.captured(1)) +
                                     QStringLiteral(R"(\s*\(\s*()") + kLiteral +
                                     QStringLiteral(R"()\s*\))"));
        QRegularExpressionMatchIterator calls = use.globalMatch(source);
        while (calls.hasNext()) {
            const QRegularExpressionMatch match = calls.next();
            if (match.capturedStart() == declaration.capturedStart(1))
                continue; // the declaration itself
            const qsizetype line = source.left(match.capturedStart()).count(u'\n') + 1;
            lookups.push_back({fileName + u':' + QString::number(line), section,
                               argumentText(match.captured(1))});
        }
    }
    return lookups;
}

/// Sections and keys of a language file, names in lower case, and what is wrong with it: a
/// repeated section or key is never reached by the lookup, which takes the first.
struct LanguageFile
{
    std::map<QString, std::map<QString, QString>> sections;
    QStringList problems;
};

LanguageFile parseLanguageFile(const QByteArray& bytes)
{
    LanguageFile file;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        file.problems.append(QStringLiteral("not valid UTF-8"));
    std::map<QString, QString>* section = nullptr;
    const QStringList lines = text.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).endsWith(u'\r') ? lines.at(n).chopped(1) : lines.at(n);
        const QString problem = QStringLiteral("line %1: %2 ").arg(n + 1).arg(line);
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            const QString name = line.mid(1, line.indexOf(u']') - 1).toLower();
            section =
                line.contains(u']') && !file.sections.count(name) ? &file.sections[name] : nullptr;
            if (!section)
                file.problems.append(problem + QStringLiteral("repeats or breaks a header"));
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!section || equals <= 0 || line.at(equals - 1) == u' ' || line.at(0) == u' ')
            file.problems.append(problem + QStringLiteral("is not a key line of a section"));
        else if (!section->emplace(line.left(equals).toLower(), line.mid(equals + 1)).second)
            file.problems.append(problem + QStringLiteral("repeats a key"));
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
        const WindowTexts texts(u"frmDatabase");
        caption = texts(u"file") + other.texts(u"ignored");
    )cpp");
    const std::vector<std::pair<QString, QString>> expected{
        {QStringLiteral("MDIForm1"), QStringLiteral("erroredb")},
        {QStringLiteral("Buttons"), QStringLiteral("ok")},
        {QStringLiteral("frmTime"), QStringLiteral("datatempo")},
        {QStringLiteral("frmTime"), QStringLiteral("stop")},
        {QStringLiteral("frmTime"), QStringLiteral("quote\"d")},
        {QStringLiteral("Def"), QStringLiteral("a,b")},
        {QStringLiteral("frmDatabase"), QStringLiteral("file")},
    };
    const std::vector<Lookup> lookups = findLookups(source, QStringLiteral("frmTime.cpp"));
    ASSERT_EQ(lookups.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lookups[i].section, expected[i].first) << i;
        EXPECT_EQ(lookups[i].key, expected[i].second) << i;
    }
    EXPECT_EQ(lookups[2].place, QStringLiteral("frmTime.cpp:4"));
    // objectName() names a window only in a window's own file.
    EXPECT_EQ(findLookups(source, QStringLiteral("helpers.cpp")).size(), expected.size() - 2);
}

TEST(EnglishLanguageFile, IsWellFormedAndHoldsEveryTextTheSourcesLookUp)
{
    const QByteArray bytes = readTestFile(kEnglishFile);
    ASSERT_FALSE(bytes.isEmpty()) << "missing " << kEnglishFile.toStdString();
    const LanguageFile file = parseLanguageFile(bytes);
    EXPECT_TRUE(file.problems.isEmpty()) << file.problems.join(u'\n').toStdString();
    for (const char* shared : {"def", "dialogs", "buttons", "tooltips", "planets", "conditions"})
        EXPECT_TRUE(file.sections.count(QString::fromLatin1(shared))) << shared;
    EXPECT_FALSE(file.sections.at(QStringLiteral("help")).at(QStringLiteral("file")).isEmpty());

    const QString root = QStringLiteral(QUORVANEL_SOURCE_DIR "/src");
    QStringList missing;
    QDirIterator files(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString source = QString::fromUtf8(readTestFile(path));
        for (const Lookup& lookup : findLookups(source, QDir(root).relativeFilePath(path))) {
            const auto section = file.sections.find(lookup.section.toLower());
            if (section == file.sections.end() || !section->second.count(lookup.key.toLower()))
                missing.append(
                    QStringLiteral("%1: [%2] %3").arg(lookup.place, lookup.section, lookup.key));
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << "missing from English.ini:\n"
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
            EXPECT_EQ(mLang::Testo_lingua(section, key), text)
                << '[' << section.toStdString() << "] " << key.toStdString();
    }
}

} // namespace
