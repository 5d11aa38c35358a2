#include "NetworkWindowTest.h"

#include "common/gates.h"

#include <QGuiApplication>
#include <QTest>

void NetworkWindowTest::SetUp()
{
    ensureApplication();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
    ProgramStateTest::SetUp();
    writeTestFile(folderFile(QStringLiteral("English.ini")),
                  readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
    Impostazioni.File_lingua = "English.ini";
    pflgSostituzione = false;
}

void NetworkWindowTest::TearDown()
{
    pflgSostituzione = false;
    ProgramStateTest::TearDown();
}

QString NetworkWindowTest::english(const char* section, const char* key)
{
    const QString text = mLang::Testo_lingua(QLatin1StringView(section), QLatin1StringView(key));
    EXPECT_FALSE(text.isEmpty()) << '[' << section << "] " << key << " missing";
    return text;
}

QString NetworkWindowTest::labelText(const QWidget& window, const char* name)
{
    const auto* label = control<QLabel>(window, name);
    return label != nullptr ? label->text() : QStringLiteral("<no label>");
}

QString NetworkWindowTest::caption(const QWidget& window, const char* name)
{
    const auto* button = control<GraphButton>(window, name);
    return button != nullptr ? button->Caption() : QStringLiteral("<no button>");
}

bool NetworkWindowTest::isEnabled(const QWidget& window, const char* name)
{
    const auto* widget = control<QWidget>(window, name);
    return widget != nullptr && widget->isEnabled();
}

void NetworkWindowTest::click(const QWidget& window, const char* name)
{
    // A real click: a disabled button ignores it.
    if (auto* button = control<GraphButton>(window, name))
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

bool NetworkWindowTest::hasMessage(const QWidget& window)
{
    const auto boxes = window.findChildren<QMessageBox*>();
    return std::any_of(boxes.begin(), boxes.end(),
                       [](const QMessageBox* box) { return box->isVisible(); });
}

QMessageBox* NetworkWindowTest::waitForMessage(const QWidget& window, int timeoutMs)
{
    waitUntil([&window] { return hasMessage(window); }, timeoutMs);
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

QString NetworkWindowTest::dismissMessage(const QWidget& window)
{
    QMessageBox* box = waitForMessage(window);
    if (box == nullptr)
        return QStringLiteral("<no message>");
    const QString text = box->text();
    box->accept();
    return text;
}
