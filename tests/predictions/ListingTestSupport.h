#pragma once
// Test support for the listings: the Spacetrack Report No. 3 element sets, an observer, a
// temporary program folder with the English language file, and a recorder that answers the
// message boxes a window shows.

#include "common/gates.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "database/ElementSetFixtures.h"
#include "predictions/ElementSummary.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

/// Calls `action` once from the event loop as soon as a listing is computing (a listing holds
/// the tick while it runs): at the listing's first look at the event loop, however fast or slow
/// the machine, instead of after a fixed time the listing may or may not outlast.
inline void onceWhileListing(QObject* context, std::function<void()> action)
{
    auto* poll = new QTimer(context);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, context, [poll, action = std::move(action)] {
        if (pflgCentrale.isOpen())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

/// The two test sets of Spacetrack Report No. 3 (88888 near-Earth, 11801 deep space), or
/// nothing when the shared test data are absent.
inline std::optional<std::vector<Record_TLE>> str3Sets()
{
    QFile file(QStringLiteral(QUORVANEL_SHARED_TESTDATA "/str3/str3.tle"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return elementSetsOfLines(elementFileLines(QString::fromUtf8(file.readAll())));
}

/// Milan, one hour east of Greenwich, no daylight saving.
inline Dati_osservatore testObserver()
{
    Dati_osservatore observer;
    observer.Nome_localita = "Milano";
    observer.Latitudine_osservatore = 45.46f;
    observer.Longitudine_osservatore = 9.19f;
    observer.Quota_osservatore = 120.0f;
    observer.Fuso_orario = 1.0f;
    observer.Ora_legale = 0.0f;
    return observer;
}

/// The messages shown while it lives, each answered with its default button.
class MessageRecorder
{
public:
    struct Shown
    {
        QString title;
        QString text;
    };
    MessageRecorder()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            shown.push_back({box->windowTitle(), box->text()});
            if (QAbstractButton* button = box->defaultButton())
                button->click();
            else
                box->accept();
        });
        m_timer.start();
    }
    [[nodiscard]] bool anyContains(const QString& part) const
    {
        return std::any_of(shown.begin(), shown.end(),
                           [&](const Shown& m) { return m.text.contains(part); });
    }
    std::vector<Shown> shown;

private:
    QTimer m_timer;
};

/// Shared state put back, a program folder with the English texts, the test observer and
/// SGP4; the tick's gates open as after start-up.
class ListingTest : public SharedStateTest
{
protected:
    void SetUp() override
    {
        SharedStateTest::SetUp();
        ASSERT_TRUE(m_program.isValid());
        m_savedPath = MyPath;
        MyPath = m_program.path();
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                                m_program.filePath(QStringLiteral("English.ini"))));
        Impostazioni.File_lingua = "English.ini";
        Impostazioni.Propagatore = 2;
        mLang::Lingua_caricata = false;
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
        Osservatore = testObserver();
        pflgArresta = false;
        pflgCentrale.setEnabled(true);
        pflgSatellite.setEnabled(true);
        m_savedClock = Data_attuale;
        Data_attuale = DateValue::fromDateTime(2024, 1, 1, 12, 0, 0);
    }
    void TearDown() override
    {
        MyPath = m_savedPath;
        mLang::Lingua_caricata = false;
        Data_attuale = m_savedClock;
        SharedStateTest::TearDown();
    }
    QString programFile(const QString& name) const { return m_program.filePath(name); }

private:
    QTemporaryDir m_program;
    QString m_savedPath;
    double m_savedClock = 0;
};
