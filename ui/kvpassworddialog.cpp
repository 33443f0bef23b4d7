#include "kvpassworddialog.h"

#include "centerdialog.h"
#include "fittofont.h"
#include "ui_kvpassworddialog.h"

#include <QGraphicsScene>

KVPasswordDialog::KVPasswordDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVPasswordDialog>())
{
    ui->setupUi(this);
    fitTextToFont(this);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());

    ui->graphicsView->setStyleSheet(QStringLiteral("background: transparent"));
    auto* scene = new QGraphicsScene(0, 0, 64, 64, this);
    scene->addPixmap(QPixmap(QStringLiteral(":/app_icons/appicons/icon_key2_huge.png")));
    ui->graphicsView->setScene(scene);
    ui->graphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->ensureVisible(QRectF(0, 0, 64, 64), 50, 50);
    ui->lineEdit->setFocus();
}

KVPasswordDialog::~KVPasswordDialog() = default;

void KVPasswordDialog::setWarning(const QString& text)
{
    ui->labelWarning->setText(text);
    show();
    if (!parentWidget())
        centerOnPrimaryScreen(this);
}

QString KVPasswordDialog::password() const
{
    return ui->lineEdit->text();
}
