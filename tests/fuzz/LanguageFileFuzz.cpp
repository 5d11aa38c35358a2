// A language file read into memory and searched: the sections and keys the windows look up,
// and a section and key taken from the input itself.

#include "FuzzFolder.h"
#include "FuzzSupport.h"

#include "services/mLang.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const QString section = QString::fromUtf8(input.text());
    const QString key = QString::fromUtf8(input.text());
    const std::string_view file = input.rest();
    const QString path = writeFuzzFile(QStringLiteral("Fuzzed.ini"), file.data(),
                                       static_cast<qsizetype>(file.size()));

    mLang::Lingua_caricata = false;
    mLang::Leggi_file_lingua(path);
    (void)mLang::Leggi_valore_ini(section, key, QStringLiteral("default"), path);
    (void)mLang::Leggi_valore_ini(u"MDIForm1", u"mnuFileApri", QString(), path);
    (void)mLang::Leggi_valore_ini(u"frmDatabase", u"insiemiscartati", QString(), path);
    (void)mLang::Leggi_valore_ini(u"", u"", QString(), path);
    (void)mLang::Leggi_valore_ini(u"[", u"=", QString(), path);
    return 0;
}
