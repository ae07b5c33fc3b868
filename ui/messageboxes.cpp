#include "ui/messageboxes.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

namespace ui {

MessageBoxes::Answer QtMessageBoxes::question(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner());
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtMessageBoxes::notice(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, owner());
    box.exec();
}

void QtMessageBoxes::about(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, owner());
    if (box.parentWidget()) box.setIconPixmap(box.parentWidget()->windowIcon().pixmap(QSize(64, 64), box.devicePixelRatio()));
    box.exec();
}

QtMessageBoxes::~QtMessageBoxes() { delete prepared_; }

// A box stands over the window the operator is working in, the dialog too:
// over the main window, it would push a dialog whose value it refuses behind.
QWidget *QtMessageBoxes::owner() const
{
    QWidget *active = QApplication::activeWindow();
    return active ? active : parent_;
}

void QtMessageBoxes::timeoutReport(const QString &text)
{
    prepareTimeoutReport();
    const std::unique_ptr<QMessageBox> box(prepared_.data());
    prepared_ = nullptr;
    box->setText(text);
    box->exec();
}

namespace {

// A box whose window can be made before it is shown. Not through winId(): that
// marks the box native, and Qt then makes every child of its parent native
// too, the main window's stage among them; Qt 6.4's Wayland plugin commits a
// native child's damage to the window's surface without its offset, so the
// compositor redrew each change a menu bar's height too high.
class ReportBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;
    using QMessageBox::create;
};

} // namespace

// The box, its icon, its window, its style and the layout of a report's
// text cost milliseconds that a time-out report would come late by (several
// on a loaded machine): they are made at the set-up instead, so that the
// report only changes a few words and shows the box.
void QtMessageBoxes::prepareTimeoutReport()
{
    if (prepared_) return;
    auto *box = new ReportBox(QMessageBox::Warning, kAppTitle, QStringLiteral("LEFT PLAYER 時間切れです"),
                              QMessageBox::Ok, parent_);
    box->create();
    box->ensurePolished();
    box->adjustSize();
    prepared_ = box;
}

} // namespace ui
