#include "DatabaseWindowFixture.h"

#include "common/gates.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/frmDatabase.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "services/mReg.h"
#include "tracking/TrackingModel.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QTest>

MessageRecorder::MessageRecorder(QMessageBox::StandardButton answer)
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        shown.push_back({box->windowTitle(), box->text(), box->detailedText()});
        QAbstractButton* button = box->button(answer);
        if (button == nullptr)
            button = box->defaultButton();
        if (button != nullptr)
            button->click();
        else
            box->reject();
    });
    m_timer.start();
}

bool MessageRecorder::anyContains(const QString& part) const
{
    return std::any_of(shown.begin(), shown.end(),
                       [&](const ShownMessage& m) { return m.text.contains(part); });
}

void DatabaseWindowTest::SetUp()
{
    SharedStateTest::SetUp();
    ensureApplication();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
    ASSERT_TRUE(m_program.isValid());
    m_savedPath = MyPath;
    MyPath = m_program.path();
    mReg::setStoreFile(m_program.filePath(QStringLiteral("store/options.ini")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini"),
                            m_program.filePath(QStringLiteral("English.ini"))));
    Impostazioni.File_lingua = "English.ini";
    Impostazioni.File_database.clear();
    mLang::Lingua_caricata = false;
    mAstro::Data_giuliana = kNow;
    pflgArresta = false;

    m_hooks.chooseFile = [this](const QString&, const QString&, const QString&) {
        ++m_chooserCalls;
        if (m_chooserAnswers.empty())
            return QString();
        const QString answer = m_chooserAnswers.front();
        m_chooserAnswers.pop_front();
        return answer;
    };
    m_hooks.showSatellite = [this](int slot) { m_satelliteWindowSlots.push_back(slot); };
    // What the status bar and the maps learn from the tracking model.
    m_modelWatcher = std::make_unique<QObject>();
    TrackingModel& model = TrackingModel::instance();
    QObject::connect(&model, &TrackingModel::activeSetChanged, m_modelWatcher.get(), [this] {
        m_principalNames.append(
            Numero_satelliti > 0
                ? QString::fromStdString(Satelement[kPrincipalSlot].Nome_satellite).trimmed()
                : QString());
    });
    QObject::connect(&model, &TrackingModel::principalChanged, m_modelWatcher.get(),
                     [this] { ++m_principalChanges; });
}

void DatabaseWindowTest::TearDown()
{
    m_modelWatcher.reset();
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MyPath = m_savedPath;
    mReg::setStoreFile(QString());
    mLang::Lingua_caricata = false;
    pflgArresta = false;
    SharedStateTest::TearDown();
}

frmDatabase& DatabaseWindowTest::window()
{
    if (!m_window)
        m_window = std::make_unique<frmDatabase>(m_session, m_hooks);
    return *m_window;
}

QListView* DatabaseWindowTest::list(const char* name)
{
    return control<QListView>(QString::fromLatin1(name));
}

QString DatabaseWindowTest::caption(const char* name)
{
    const auto* label = control<QLabel>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QStringList DatabaseWindowTest::rows(const char* listName)
{
    QStringList texts;
    const QAbstractItemModel* model = list(listName)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

void DatabaseWindowTest::choose(const char* listName, std::initializer_list<int> chosen)
{
    QListView* view = list(listName);
    view->selectionModel()->clearSelection();
    for (int row : chosen) {
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                                QItemSelectionModel::Select);
    }
}

void DatabaseWindowTest::click(const char* buttonName)
{
    auto* button = control<GraphButton>(QString::fromLatin1(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    ASSERT_TRUE(button->isEnabled()) << buttonName << " is disabled";
    emit button->Click();
}

QString DatabaseWindowTest::writeElementFile(const char* name, const QByteArray& bytes)
{
    return m_files.write(QString::fromLatin1(name), bytes);
}

QStringList DatabaseWindowTest::workingSetNames() const
{
    const QStringList lines =
        QString::fromUtf8(readTestFile(m_program.filePath(QStringLiteral("Quorvanel.ini"))))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QStringList names;
    for (qsizetype line = 0; line < lines.size(); line += 3)
        names.append(lines[line]);
    return names;
}

QString DatabaseWindowTest::english(const char* section, const char* key)
{
    return mLang::Testo_lingua(QLatin1StringView(section), QLatin1StringView(key));
}
