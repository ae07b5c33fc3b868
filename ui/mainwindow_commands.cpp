// The window's event handlers.
#include "ui/mainwindow.h"

#include "ui/form2.h"
#include "ui/setupfield.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

void MainWindow::Form_Load()
{
    // secdisp starts at 0 (minutes and seconds) with the clock state.
    clock_.syokika();
    readSettingsFile(false);
}

void MainWindow::Command1_Click(int) { clock_.command1Click(); }
void MainWindow::Command2_Click() { clock_.command2Click(); }
void MainWindow::Command3_Click() { clock_.command3Click(); }
void MainWindow::Command5_Click() { clock_.command5Click(); }
void MainWindow::Timer1_Timer() { clock_.timer1Timer(); }

void MainWindow::Command4_Click()
{
    close();
    if (form2_) form2_->close();
    QApplication::exit(0);
}

void MainWindow::Command6_Click()
{
    QString path = QDir::current().filePath(QStringLiteral("readme.txt"));
    if (!QFileInfo(path).isFile()) {
        // The copy shipped inside the program, so that help works from any directory.
        path = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                   .filePath(QStringLiteral("korvane-readme.txt"));
        QFile::remove(path);
        if (!QFile::copy(QStringLiteral(":/readme.txt"), path)) {
            services_.boxes.notice(QStringLiteral("ヘルプ（readme.txt）を開けませんでした。"));
            return;
        }
    }
    if (!services_.openUrl(QUrl::fromLocalFile(path)))
        services_.boxes.notice(QStringLiteral("ヘルプ（readme.txt）を開けませんでした。"));
}

void MainWindow::Command7_Click()
{
    for (int i = 0; i < 6; ++i) field(i)->setStoredText(QStringLiteral("0"));
    module1_.wtime1 = module1_.wtime2 = module1_.wtime3 = 0;
}

void MainWindow::m14_Click()
{
    if (form2_) {
        form2_->close(); // unstored typing is discarded
        form2_ = nullptr;
    }
    form2_ = new Form2(module1_, services_.boxes);
    form2_->setWindowIcon(windowIcon());
    connect(form2_, &QObject::destroyed, this, [this, dialog = form2_] {
        if (form2_ == dialog) form2_ = nullptr;
    });
    form2_->show();
}

} // namespace ui
