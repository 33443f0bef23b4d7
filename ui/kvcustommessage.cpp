#include "kvcustommessage.h"

#include "centerdialog.h"
#include "ui_kvcustommessage.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QPushButton>

namespace {

// The designed form: the title line, the text box under it and the box's
// height, which a short message keeps.
constexpr int DesignedTitleHeight = 21;
constexpr int DesignedTextHeight = 51;
constexpr int DesignedHeight = 120;
constexpr int LabelGap = 2;

// The height a word-wrapped label needs at its width, from its font alone:
// QLabel's own hint balances a short text over several lines.
int wrappedHeight(const QLabel* label)
{
    const QMargins margins = label->contentsMargins();
    const int inner = 2 * label->margin();
    const int width = label->width() - inner - margins.left() - margins.right();
    return label->fontMetrics()
               .boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, label->text())
               .height() +
           inner + margins.top() + margins.bottom();
}

} // namespace

KVCustomMessage::KVCustomMessage(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVCustomMessage>())
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                      Qt::WindowContextHelpButtonHint)) |
                   Qt::CustomizeWindowHint);
    setFixedSize(size());
    // A message's text can be selected and copied, an address among it.
    ui->labelText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
}

KVCustomMessage::~KVCustomMessage() = default;

void KVCustomMessage::setupMessage(const QString& title, const QString& text, bool stopIcon,
                                   int buttons)
{
    showPicture(stopIcon ? QStringLiteral(":/toolbar_icons/icons/stop.png")
                         : QStringLiteral(":/toolbar_icons/icons/info.png"));
    if (buttons == ButtonsOk)
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    else if (buttons == ButtonsYesNo)
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    ui->labelTitle->setText(title);
    ui->labelText->setText(text);
    fitToText();
    if (!parentWidget())
        centerOnPrimaryScreen(this);
}

void KVCustomMessage::showPicture(const QString& path)
{
    auto* scene = new QGraphicsScene(0, 0, 64, 64, this);
    scene->addPixmap(QPixmap(path));
    ui->graphicsView->setScene(scene);
    ui->graphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->graphicsView->ensureVisible(QRectF(0, 0, 64, 64), 50, 50);
    ui->graphicsView->setProperty("picture", path);
}

void KVCustomMessage::fitToText()
{
    // Both labels keep their width and take at least the height their
    // wrapped text needs in the font in force, so that no line loses its
    // descenders; the buttons and the box follow the text downwards.
    QLabel* title = ui->labelTitle;
    QLabel* text = ui->labelText;
    // The title's bold face comes from its style sheet, applied on polish.
    title->ensurePolished();
    text->ensurePolished();
    title->resize(title->width(), qMax(DesignedTitleHeight, wrappedHeight(title)));
    const int textTop = title->y() + title->height() + LabelGap;
    text->setGeometry(text->x(), textTop, text->width(),
                      qMax(DesignedTextHeight, text->heightForWidth(text->width())));
    const int buttonsTop = text->y() + text->height() + LabelGap / 2;
    ui->buttonBox->move(ui->buttonBox->x(), buttonsTop);
    setFixedHeight(qMax(DesignedHeight, buttonsTop + ui->buttonBox->height() + 3));
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
    message.showPicture(QStringLiteral(":/toolbar_icons/icons/question.png"));
    for (QAbstractButton* button : message.ui->buttonBox->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    message.ui->buttonBox->button(QDialogButtonBox::No)->setDefault(true);
    message.ui->buttonBox->button(QDialogButtonBox::No)->setFocus();
    return message.exec() == QDialog::Accepted;
}
