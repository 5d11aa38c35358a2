#include "services/mLang.h"

#include "common/options.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace mLang {
namespace {

/// The language file's lines in file order, empty lines dropped.
QStringList g_lines;

bool isSectionHeader(const QString& line)
{
    return line.startsWith(u'[');
}

/// Index of the first line after `from` that begins with `prefix` (letter case ignored), or -1.
/// With `stopAtSection` the search ends, not found, at the next section header.
qsizetype findLine(qsizetype from, const QString& prefix, bool stopAtSection)
{
    for (qsizetype i = from + 1; i < g_lines.size(); ++i) {
        const QString& line = g_lines.at(i);
        if (stopAtSection && isSectionHeader(line))
            return -1;
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

bool isValidName(const QString& name)
{
    return !name.contains(u'[') && !name.contains(u']') && !name.contains(u'=');
}

} // namespace

void Leggi_file_lingua(const QString& file)
{
    if (Lingua_caricata)
        return;
    g_lines.clear();
    // Guard: the file is opened by its full path, so the process's current directory is never
    // changed and no other open file is touched while the language loads.
    const QFileInfo info(file);
    const QString path = findFileIgnoringCase(info.path(), info.fileName());
    QFile languageFile(path);
    if (path.isEmpty() || !languageFile.open(QIODevice::ReadOnly))
        return;
    QString text = QString::fromUtf8(languageFile.readAll());
    if (languageFile.error() != QFileDevice::NoError)
        return;
    if (text.startsWith(QChar(0xFEFF))) // byte-order mark written by some editors
        text.remove(0, 1);
    const QStringList lines = splitDataLines(text);
    for (const QString& line : lines) {
        if (!line.isEmpty())
            g_lines.append(line);
    }
    Lingua_caricata = true;
}

QString Leggi_valore_ini(QAnyStringView section, QAnyStringView key, const QString& defaultValue,
                         const QString& file)
{
    const QString sectionName = section.toString();
    const QString keyName = key.toString();
    if (isValidName(sectionName) && !isValidName(keyName))
        return defaultValue;
    Leggi_file_lingua(file);

    const qsizetype header = findLine(-1, u'[' + sectionName + u']', false);
    if (header < 0)
        return defaultValue;
    const qsizetype line = findLine(header, keyName + u'=', true);
    if (line < 0)
        return defaultValue;
    const QString& text = g_lines.at(line);
    return text.mid(text.indexOf(u'=') + 1);
}

QString Testo_lingua(QAnyStringView section, QAnyStringView key)
{
    const QString name = QString::fromStdString(Impostazioni.File_lingua);
    const QString file = name.isEmpty() ? QString() : QDir(MyPath).filePath(name);
    return Leggi_valore_ini(section, key, QString(), file);
}

} // namespace mLang
