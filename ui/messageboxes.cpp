#include "ui/messageboxes.h"

#include <QMessageBox>

namespace ui {

MessageBoxes::Answer QtMessageBoxes::question(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtMessageBoxes::notice(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

void QtMessageBoxes::timeoutReport(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, kAppTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace ui
