#pragma once

#include <memory>
#include <QDialog>

namespace Ui {
class Prefs;
}

// The preferences: auto-lock and its interval, and the backup folder. Every
// change is written to the settings at once.
class Prefs : public QDialog
{
    Q_OBJECT

public:
    explicit Prefs(QWidget* parent);
    ~Prefs() override;

private slots:
    void on_checkBoxAutoLock_stateChanged(int arg1);
    void on_spinBox_valueChanged(int arg1);
    void on_spinBoxClipboard_valueChanged(int arg1);
    void on_pushButtonPath_clicked();
    void on_checkBoxShowInTray_stateChanged(int arg1);

private:
    std::unique_ptr<Ui::Prefs> ui;
};
