#include "about.h"

#include "fittofont.h"
#include "kelvaronconfig.h"
#include "settingskeys.h"
#include "ui_about.h"

#include <QGraphicsScene>
#include <QSettings>

namespace {

void showPicture(QGraphicsView* view, const QString& path, int size)
{
    view->setStyleSheet(QStringLiteral("background: transparent"));
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* scene = new QGraphicsScene(0, 0, size, size, view);
    scene->addPixmap(QPixmap(path));
    view->setScene(scene);
    view->ensureVisible(QRectF(0, 0, size, size), 50, 50);
}

} // namespace

About::About(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::About>())
{
    ui->setupUi(this);
    Qt::WindowFlags flags =
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint;
    if (QSettings().value(SettingsKeys::StayOnTop, SettingsKeys::StayOnTopDefault).toBool())
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setFixedSize(size());
    showPicture(ui->graphicsView, QStringLiteral(":/app_icon/icons/96.png"), 96);
    showPicture(ui->graphicsViewLogo, QStringLiteral(":/app_icon/icons/logo.png"), 54);
    ui->graphicsViewLogo->setToolTip(tr("Tormelin Software, the makers of Kelvaron"));
    const QString website = QStringLiteral(KELVARON_WEBSITE);
    const QString email = QStringLiteral(KELVARON_SUPPORT_EMAIL);
    ui->homepageLabel->setText(tr("Homepage: ") +
                               QStringLiteral("<a href=\"%1\">%1</a>").arg(website));
    ui->emailLabel->setText(tr("Support e-mail: ") +
                            QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(email));
    ui->homepageLabel->setOpenExternalLinks(true);
    ui->emailLabel->setOpenExternalLinks(true);
    ui->labelBuild->setText(
        buildText(KELVARON_BUILD_NUMBER, QStringLiteral(KELVARON_BUILD_TIMESTAMP)));
    setStyleSheet(QStringLiteral("QWidget{font-size:12px;}"));
    ui->label->setStyleSheet(QStringLiteral("QWidget{font-size:16px;font-weight:bold;}"));
    fitTextToFont(this);
}

About::~About() = default;

QString About::buildText(int number, const QString& timestamp)
{
    return tr("Build ") + QString::asprintf("%05d", number) + QStringLiteral(", ") + timestamp;
}
