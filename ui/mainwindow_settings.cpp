// Saving and loading the set-up, and the silent read at start-up.
#include "ui/mainwindow.h"

#include "settings/store.h"
#include "ui/setupfield.h"

#include <QRadioButton>

namespace ui {

settings::Values MainWindow::settingsValues() const
{
    settings::Values values;
    for (int i = 0; i < 6; ++i) values.fields[i] = controls_.text1[i]->text();
    values.firstLeft = controls_.option1[0]->isChecked();
    values.wtime = module1_.wtimes();
    values.voice = mVoice_->isChecked();
    return values;
}

void MainWindow::applySettings(const settings::Values &values)
{
    for (int i = 0; i < 6; ++i)
        if (controls_.text1[i]->text() != values.fields[i]) controls_.text1[i]->setStoredText(values.fields[i]);
    controls_.option1[values.firstLeft ? 0 : 1]->setChecked(true);
    module1_.setWtimes(values.wtime);
    mVoice_->setChecked(values.voice);
    if (!values.voice) services_.speaker.hush();
}

// A file that cannot be read is said so; one that is absent only when asked.
void MainWindow::readSettingsFile(bool reportAbsent)
{
    settings::Values values = settingsValues();
    const settings::LoadResult result = settings::load(settings::settingsPath(), values);
    if (result.status == settings::LoadStatus::Loaded)
        applySettings(values);
    else if (result.status == settings::LoadStatus::Failed)
        services_.boxes.notice(QStringLiteral("設定ファイル(korvane.ini)を読み込めませんでした。\n") + result.reason);
    else if (reportAbsent)
        services_.boxes.notice(QStringLiteral("設定ファイル(korvane.ini)が見つかりませんでした。"));
}

void MainWindow::m12_Click()
{
    const auto answer = services_.boxes.question(
        QStringLiteral("現在の全設定を保存しますか？（起動時またはメニューの設定読込で読み込まれます）"));
    if (answer != MessageBoxes::Answer::Yes) return;
    const settings::SaveResult result = settings::save(settings::settingsPath(), settingsValues());
    if (!result.ok)
        services_.boxes.notice(QStringLiteral("設定を保存できませんでした。以前の設定ファイルはそのままです。\n") +
                               result.reason);
}

void MainWindow::m13_Click()
{
    const auto answer = services_.boxes.question(QStringLiteral("以前に保存した設定を読み込みますか？"));
    if (answer != MessageBoxes::Answer::Yes) return;
    readSettingsFile(true);
}

} // namespace ui
