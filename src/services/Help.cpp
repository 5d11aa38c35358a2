#include "services/Help.h"

#include "services/mLang.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

HelpViewer& helpViewer()
{
    static HelpViewer viewer;
    return viewer;
}

} // namespace

void setHelpViewer(HelpViewer viewer)
{
    helpViewer() = std::move(viewer);
}

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
    const QFileInfo file(helpFile);
    if (!file.isFile()) {
        QMessageBox::information(parent, QGuiApplication::applicationDisplayName(), noHelpFileText);
        return false;
    }
    const QUrl page = helpUrl(helpFile, command, context);
    if (helpViewer() ? helpViewer()(page) : QDesktopServices::openUrl(page))
        return true;
    // The file is there: what is missing is a program to show it, and the user who has one
    // can open the file himself.
    QMessageBox::information(parent, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"MDIForm1", u"noprogrammahelp") + u'\n' +
                                 QDir::toNativeSeparators(file.absoluteFilePath()));
    return false;
}
