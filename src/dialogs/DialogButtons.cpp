#include "dialogs/DialogButtons.h"

#include "controls/GraphButton/GraphButton.h"
#include "services/mLang.h"

#include <QHBoxLayout>

namespace {

GraphButton* namedButton(QWidget* parent, const QString& name)
{
    auto* button = new GraphButton(parent);
    button->setObjectName(name);
    return button;
}

} // namespace

QHBoxLayout* buildDialogButtons(QWidget* parent, GraphButton*& ok, GraphButton*& cancel,
                                GraphButton*& help)
{
    ok = namedButton(parent, QStringLiteral("cmdOK"));
    ok->setDefault(true);
    cancel = namedButton(parent, QStringLiteral("cmdCancel"));
    cancel->setCancel(true);
    help = namedButton(parent, QStringLiteral("cmdHelp"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    return row;
}

void setDialogButtonCaptions(GraphButton* ok, GraphButton* cancel, GraphButton* help)
{
    ok->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
    help->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}
