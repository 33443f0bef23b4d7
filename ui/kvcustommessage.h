#pragma once

#include <memory>
#include <QDialog>

namespace Ui {
class KVCustomMessage;
}

// The program's own message box: an information, stop or question picture, a bold
// title, a wrapped text that grows the box downwards, and OK or Yes/No.
class KVCustomMessage : public QDialog
{
    Q_OBJECT

public:
    enum Buttons
    {
        ButtonsOk = 0,
        ButtonsYesNo = 1
    };

    explicit KVCustomMessage(QWidget* parent);
    ~KVCustomMessage() override;

    void setupMessage(const QString& title, const QString& text, bool stopIcon, int buttons);

    // Convenience for the common pattern: a parentless box, set up, run,
    // answered. Returns true for OK or Yes.
    static bool ask(const QString& title, const QString& text, bool stopIcon, int buttons);
    // A question whose safe answer, No, is the default: Enter does not
    // confirm it by accident. It shows the question picture; the stop
    // picture is kept for errors. Returns true for Yes.
    static bool confirm(const QString& title, const QString& text);

private:
    void showPicture(const QString& path);
    void fitToText();

    std::unique_ptr<Ui::KVCustomMessage> ui;
};
