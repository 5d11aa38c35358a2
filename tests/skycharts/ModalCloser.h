#pragma once
// Test support of the sky charts' windows: closes every modal window shown while it lives and
// records which, a message box by its text, another dialog by its object name.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <vector>

class ModalCloser
{
public:
    ModalCloser()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible())
                return;
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                messages.push_back(box->text());
            else
                dialogs.push_back(dialog->objectName());
            dialog->accept();
        });
        m_timer.start();
    }
    std::vector<QString> messages;
    std::vector<QString> dialogs;

private:
    QTimer m_timer;
};
