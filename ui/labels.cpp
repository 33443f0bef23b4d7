#include "labels.h"

#include "fittofont.h"
#include "iconcatalogue.h"
#include "kvcustommessage.h"
#include "ui_labels.h"
#include "walletdatabase.h"

namespace {

const char* const ValueTypes[] = {"text", "pass", "link", "phon", "mail", "date", "time"};

QIcon labelIcon(const QString& iconName)
{
    return QIcon(QStringLiteral(":/app_icons/appicons/icon_") + iconName +
                 QStringLiteral("_huge.png"));
}

} // namespace

labels::labels(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::labels>())
{
    ui->setupUi(this);
    ui->comboValueType->hide();
    ui->labelError->hide();
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    fillList();
    connect(ui->labelsListWidget, &QListWidget::currentItemChanged, this, &labels::onItemActivated);
    connect(ui->lineEdit, &QLineEdit::textChanged, this, &labels::onTextChanged);
    connect(ui->comboBoxIcons, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &labels::onIconIndexChanged);
    iconList = labelIconCatalogue();
    iconGuard = true;
    for (const IconInfo& info : iconList)
        ui->comboBoxIcons->addItem(labelIcon(info.iconfil), info.title, info.iconfil);
    iconGuard = false;
    const QStringList typeNames = {tr("Text"),   tr("Password"), tr("Link"), tr("Phone"),
                                   tr("E-mail"), tr("Date"),     tr("Time")};
    ui->comboValueType->addItems(typeNames);
    setStyleSheet(QStringLiteral("QWidget{font-size:12px;}"));
    fitTextToFont(this);
}

labels::~labels() = default;

void labels::fillList()
{
    const QList<LabelRecord> all = WalletDatabase::instance()->listLabels(0);
    ui->labelsListWidget->clear();
    for (const LabelRecord& label : all) {
        auto* row = new QListWidgetItem(labelIcon(label.icon), label.labelName);
        row->setData(Qt::UserRole, label.fieldType);
        ui->labelsListWidget->addItem(row);
    }
}

QString labels::selectedCode() const
{
    const QList<QListWidgetItem*> selected = ui->labelsListWidget->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(Qt::UserRole).toString();
}

void labels::setNameGuarded(const QString& text)
{
    textGuard = true;
    ui->lineEdit->setText(text);
    textGuard = false;
}

void labels::selectIcon(const QString& iconName)
{
    for (int i = 0; i < ui->comboBoxIcons->count(); ++i) {
        if (ui->comboBoxIcons->itemData(i).toString() == iconName) {
            iconGuard = true;
            ui->comboBoxIcons->setCurrentIndex(i);
            iconGuard = false;
            return;
        }
    }
}

void labels::loadLabel(const QString& code)
{
    if (code.isEmpty())
        return;
    current = WalletDatabase::instance()->getLabel(code);
    setNameGuarded(current.labelName);
    selectIcon(current.icon);
    ui->removeLabel->setEnabled(!current.system);
}

void labels::onItemActivated(QListWidgetItem* currentItem, QListWidgetItem*)
{
    ui->pushButton->setEnabled(false);
    if (!currentItem)
        return;
    loadLabel(currentItem->data(Qt::UserRole).toString());
}

void labels::onTextChanged(const QString&)
{
    if (textGuard || mode != Browsing)
        return;
    mode = Editing;
    enterWorkingLayout();
}

void labels::onIconIndexChanged(int)
{
    if (iconGuard)
        return;
    if (mode == Browsing) {
        mode = Editing;
        enterWorkingLayout();
    }
}

void labels::placeLineEdit(bool besideValueType)
{
    const QRect edit = ui->lineEdit->geometry();
    const int left = besideValueType ? ui->comboValueType->x() + ui->comboValueType->width() + 6
                                     : ui->comboValueType->x();
    const int right = ui->pushButton->x() - 6;
    ui->lineEdit->setGeometry(left, edit.y(), right - left, edit.height());
}

void labels::enterWorkingLayout()
{
    ui->pushButton->setEnabled(true);
    ui->labelsListWidget->setEnabled(false);
    ui->removeLabel->setEnabled(false);
    if (mode == Editing) {
        const QString code = selectedCode();
        if (!code.isEmpty())
            current = WalletDatabase::instance()->getLabel(code);
        ui->comboValueType->hide();
        placeLineEdit(false);
    } else if (mode == Adding) {
        ui->comboValueType->show();
        placeLineEdit(true);
    }
    ui->addButton->setIcon(QIcon(QStringLiteral(":/toolbar_icons/icons/close.png")));
}

void labels::backToBrowsing()
{
    ui->pushButton->setEnabled(false);
    ui->labelsListWidget->setEnabled(true);
    // Only a selected custom label may be removed: built-in ones never are.
    const QString code = selectedCode();
    ui->removeLabel->setEnabled(!code.isEmpty() &&
                                !WalletDatabase::instance()->getLabel(code).system);
    ui->comboValueType->hide();
    placeLineEdit(false);
    ui->addButton->setIcon(QIcon(QStringLiteral(":/toolbar_icons/icons/add.png")));
}

void labels::restoreOnCancel()
{
    if (current.fieldType.isEmpty())
        return;
    if (mode == Editing) {
        setNameGuarded(current.labelName);
        selectIcon(current.icon);
    } else if (mode == Adding) {
        setNameGuarded(QString());
    }
    current = LabelRecord();
}

void labels::on_addButton_clicked()
{
    if (mode == Browsing) {
        mode = Adding;
        setNameGuarded(QString());
        ui->pushButton->setText(tr("Add"));
        enterWorkingLayout();
        return;
    }
    ui->labelError->hide();
    setNameGuarded(QString());
    ui->pushButton->setText(tr("Apply"));
    restoreOnCancel();
    mode = Browsing;
    backToBrowsing();
    ui->labelsListWidget->setFocus();
}

void labels::on_pushButton_clicked()
{
    // A label without a name would show as a blank row everywhere: say so
    // and stay in the current mode, keeping what the user chose.
    if (ui->lineEdit->text().trimmed().isEmpty() && mode != Browsing) {
        ui->labelError->setText(tr("A label needs a name."));
        ui->labelError->show();
        return;
    }
    ui->labelError->hide();
    WalletDatabase* db = WalletDatabase::instance();
    if (mode == Editing) {
        const QString code = selectedCode();
        if (!code.isEmpty()) {
            const LabelRecord label = db->getLabel(code);
            const QString name = ui->lineEdit->text();
            const int index = ui->comboBoxIcons->currentIndex();
            const QString icon =
                index >= 0 && index < iconList.size() ? iconList.at(index).iconfil : QString();
            if (name != label.labelName || icon != label.icon) {
                if (!db->updateLabel(code, name, icon)) {
                    ui->labelError->setText(tr("The label could not be saved."));
                    ui->labelError->show();
                    return;
                }
                fillList();
                for (int i = 0; i < ui->labelsListWidget->count(); ++i)
                    if (ui->labelsListWidget->item(i)->data(Qt::UserRole).toString() == code)
                        ui->labelsListWidget->setCurrentRow(i);
            }
        }
    } else if (mode == Adding) {
        const QString name = ui->lineEdit->text();
        const QString icon = ui->comboBoxIcons->currentData().toString();
        const int typeIndex = ui->comboValueType->currentIndex();
        const QString valueType = typeIndex >= 0 && typeIndex < int(std::size(ValueTypes))
                                      ? QLatin1String(ValueTypes[typeIndex])
                                      : QString();
        if (!name.isEmpty() && !icon.isEmpty() && !valueType.isEmpty()) {
            if (db->addCustomLabel(name, icon, valueType).isEmpty()) {
                ui->labelError->setText(tr("The label could not be saved."));
                ui->labelError->show();
                return;
            }
            fillList();
        }
    }
    setNameGuarded(QString());
    ui->pushButton->setText(tr("Apply"));
    mode = Browsing;
    backToBrowsing();
    // The row that stays selected shows its own name and icon again, so that
    // a later change of only the icon does not store an empty name.
    loadLabel(selectedCode());
    ui->labelsListWidget->setFocus();
    setStyleSheet(QStringLiteral("QWidget{font-size:12px;}"));
}

void labels::on_removeLabel_clicked()
{
    const QString code = selectedCode();
    if (code.isEmpty())
        return;
    WalletDatabase* db = WalletDatabase::instance();
    const LabelRecord label = db->getLabel(code);
    const QString title = QCoreApplication::translate("", "Kelvaron labels");
    if (label.system)
        return;
    const int count = db->labelUsageCount(code);
    if (count != 0) {
        KVCustomMessage::ask(title,
                             QCoreApplication::translate(
                                 "", "Label cannot be deleted because it is used in the database. "
                                     "Usage counter: ") +
                                 QString::number(count),
                             true, KVCustomMessage::ButtonsOk);
        return;
    }
    if (KVCustomMessage::confirm(title, QCoreApplication::translate(
                                            "", "Are you sure you want to delete the label '%1'?")
                                            .arg(label.labelName))) {
        if (!db->deleteLabel(code)) {
            ui->labelError->setText(tr("The label could not be deleted."));
            ui->labelError->show();
        }
        fillList();
    }
}
