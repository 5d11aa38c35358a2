#pragma once
// Test support of the database window: a temporary program folder with the English language
// file and the working set, a session over the shared slots, the window's hooks recorded, and
// the message boxes the window shows answered and recorded.

#include "ElementSetFixtures.h"
#include "LocalServer.h"

#include "database/DatabaseSession.h"
#include "database/DatabaseWindowHooks.h"
#include "database/frmDatabase.h"
#include "database/WorkingSet.h"

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>


class QListView;

/// One message box the code under test showed.
struct ShownMessage
{
    QString title;
    QString text;
    QString details; ///< the box's detailed text
};

/// Answers every message box while it lives (with `answer`) and records it.
class MessageRecorder
{
public:
    explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok);

    std::vector<ShownMessage> shown;
    [[nodiscard]] bool anyContains(const QString& part) const;

private:
    QTimer m_timer;
};

class DatabaseWindowTest : public SharedStateTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes the window (over m_session and the recording hooks).
    frmDatabase& window();
    /// The window's child of that object name.
    template <class Control>
    Control* control(const QString& name)
    {
        return window().findChild<Control*>(name);
    }
    QListView* list(const char* name);
    QString caption(const char* name);
    /// Texts of a list, in order.
    QStringList rows(const char* listName);
    /// Chooses the rows of a list as the user would, replacing any choice.
    void choose(const char* listName, std::initializer_list<int> rows);
    void click(const char* buttonName);

    QString writeElementFile(const char* name, const QByteArray& bytes);
    /// The working-set file's name lines, in order.
    QStringList workingSetNames() const;
    /// Language text of the English file.
    static QString english(const char* section, const char* key);

    static constexpr double kNow = 2460400.5;
    QTemporaryDir m_program;
    ElementFileFolder m_files;
    DatabaseSession m_session{Salva_Ini};
    DatabaseWindowHooks m_hooks;
    std::deque<QString> m_chooserAnswers; ///< what the open dialog returns, in turn ("" = cancel)
    int m_chooserCalls = 0;
    QStringList m_principalNames;         ///< the principal's name at each active-set change
    std::vector<int> m_satelliteWindowSlots;
    int m_principalChanges = 0;           ///< principal changes the tracking model told

private:
    std::unique_ptr<QObject> m_modelWatcher; ///< context of the connections to the model
    std::unique_ptr<frmDatabase> m_window;
    QString m_savedPath;
};
