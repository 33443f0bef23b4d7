#include "kvcustommessage.h"

#include "centerdialog.h"
#include "ui_kvcustommessage.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPushButton>

KVCustomMessage::KVCustomMessage(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVCustomMessage>())
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                      Qt::WindowContextHelpButtonHint)) |
                   Qt::CustomizeWindowHint);
    setFixedSize(size());
}

KVCustomMessage::~KVCustomMessage() = default;

void KVCustomMessage::setupMessage(const QString& title, const QString& text, bool stopIcon,
                                   int buttons)
{
    auto* scene = new QGraphicsScene(0, 0, 64, 64, this);
    const QPixmap picture(stopIcon ? QStringLiteral(":/toolbar_icons/icons/stop.png")
                                   : QStringLiteral(":/toolbar_icons/icons/info.png"));
    if (buttons == ButtonsOk)
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    else if (buttons == ButtonsYesNo)
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    scene->addPixmap(picture);
    ui->graphicsView->setScene(scene);
    ui->graphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->ensureVisible(QRectF(0, 0, 64, 64), 50, 50);
    ui->labelTitle->setText(title);
    ui->labelText->setText(text);
    if (!parentWidget())
        centerOnPrimaryScreen(this);

    // The label keeps its width and takes the height its wrapped text needs.
    const int oldHeight = ui->labelText->height();
    ui->labelText->resize(ui->labelText->width(),
                          ui->labelText->heightForWidth(ui->labelText->width()));
    const int grown = ui->labelText->height() - oldHeight;
    if (grown > 0) {
        setFixedHeight(height() + grown);
        const QRect box = ui->buttonBox->geometry();
        ui->buttonBox->move(box.x(), box.y() + grown);
    }
}

bool KVCustomMessage::ask(const QString& title, const QString& text, bool stopIcon, int buttons)
{
    KVCustomMessage message(nullptr);
    message.setupMessage(title, text, stopIcon, buttons);
    return message.exec() == QDialog::Accepted;
}

bool KVCustomMessage::confirm(const QString& title, const QString& text)
{
    KVCustomMessage message(nullptr);
    message.setupMessage(title, text, false, ButtonsYesNo);
    for (QAbstractButton* button : message.ui->buttonBox->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    message.ui->buttonBox->button(QDialogButtonBox::No)->setDefault(true);
    message.ui->buttonBox->button(QDialogButtonBox::No)->setFocus();
    return message.exec() == QDialog::Accepted;
}
