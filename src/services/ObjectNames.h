#pragma once
// Gives a control the object name its window's code and the tests find it by, where it is
// made: `auto* ok = named(new GraphButton(this), QStringLiteral("cmdOK"));`

#include <QString>

template <class Control>
Control* named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

template <class Control>
Control* named(Control* control, const char* name)
{
    return named(control, QString::fromLatin1(name));
}
