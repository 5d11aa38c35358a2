#pragma once
// The 88 constellation abbreviations of the IAU (1922).

#include <QSet>
#include <QString>

namespace installdata {

inline QSet<QString> iauConstellationCodes()
{
    static const char* const codes[] = {
        "And", "Ant", "Aps", "Aqr", "Aql", "Ara", "Ari", "Aur", "Boo", "Cae", "Cam", "Cnc",
        "CVn", "CMa", "CMi", "Cap", "Car", "Cas", "Cen", "Cep", "Cet", "Cha", "Cir", "Col",
        "Com", "CrA", "CrB", "Crv", "Crt", "Cru", "Cyg", "Del", "Dor", "Dra", "Equ", "Eri",
        "For", "Gem", "Gru", "Her", "Hor", "Hya", "Hyi", "Ind", "Lac", "Leo", "LMi", "Lep",
        "Lib", "Lup", "Lyn", "Lyr", "Men", "Mic", "Mon", "Mus", "Nor", "Oct", "Oph", "Ori",
        "Pav", "Peg", "Per", "Phe", "Pic", "Psc", "PsA", "Pup", "Pyx", "Ret", "Sge", "Sgr",
        "Sco", "Scl", "Sct", "Ser", "Sex", "Tau", "Tel", "Tri", "TrA", "Tuc", "UMa", "UMi",
        "Vel", "Vir", "Vol", "Vul"};
    QSet<QString> set;
    for (const char* code : codes)
        set.insert(QString::fromLatin1(code));
    return set;
}

} // namespace installdata
