#pragma once
// The fixed names of the program's windows. The main window opens a window through the window
// registry by its name; Form_caricato asks by name whether it is loaded.

#include <QString>

/// The object names of the program's windows, by which the registry makes and finds them.
namespace windowNames {
inline const QString kTime = QStringLiteral("frmTime");
inline const QString kAbout = QStringLiteral("frmAbout");
inline const QString kLanguage = QStringLiteral("frmLanguage");
inline const QString kCalendar = QStringLiteral("frmCalendar");
inline const QString kFloating = QStringLiteral("frmFloating");
inline const QString kWorldMap = QStringLiteral("frmWorldMap");
inline const QString kLocalSky = QStringLiteral("frmLocalSky");
inline const QString kGeneralSky = QStringLiteral("frmGeneralSky");
inline const QString kSkySat = QStringLiteral("frmSkySat");
inline const QString kTrack = QStringLiteral("frmTrack");
inline const QString kPlanets = QStringLiteral("frmPlanets");
inline const QString kDatabase = QStringLiteral("frmDatabase");
inline const QString kSatellite = QStringLiteral("frmSatellite");
inline const QString kVisibleSatellites = QStringLiteral("frmVisibleSatellites");
inline const QString kCalc = QStringLiteral("frmCalc");
inline const QString kRelative = QStringLiteral("frmRelative");
inline const QString kRiseSet = QStringLiteral("frmRiseSet");
inline const QString kDetails = QStringLiteral("frmDetails");
inline const QString kFile = QStringLiteral("frmFile");
inline const QString kDownload = QStringLiteral("frmDownload");
inline const QString kSyncro = QStringLiteral("frmSyncro");
inline const QString kSettings = QStringLiteral("frmSettings");
inline const QString kLocation = QStringLiteral("frmLocation");
inline const QString kMagnitude = QStringLiteral("frmMagnitude");
} // namespace windowNames
