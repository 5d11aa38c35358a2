#include "services/Help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

QUrl helpUrl(const QString& helpFile, HelpCommand command, int context)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
    switch (command) {
    case HelpCommand::Contents:
        break;
    case HelpCommand::Index:
        url.setFragment(QStringLiteral("index"));
        break;
    case HelpCommand::Context:
        url.setFragment(QStringLiteral("context-%1").arg(context));
        break;
    }
    return url;
}

bool showHelp(QWidget* parent, const QString& helpFile, HelpCommand command, int context,
              const QString& noHelpFileText)
{
    if (QFileInfo(helpFile).isFile()
        && QDesktopServices::openUrl(helpUrl(helpFile, command, context)))
        return true;
    QMessageBox::information(parent, QGuiApplication::applicationDisplayName(), noHelpFileText);
    return false;
}
