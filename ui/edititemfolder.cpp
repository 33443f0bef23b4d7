#include "edititemfolder.h"

#include "fittofont.h"
#include "iconcatalogue.h"
#include "ui_edititemfolder.h"
#include "walletdatabase.h"

EditItemFolder::EditItemFolder(bool folder, const QString& parentId, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EditItemFolder>()), m_create(true), m_folder(folder),
      m_parentId(parentId)
{
    setUp();
    fillIcons(QString());
}

EditItemFolder::EditItemFolder(const QString& itemId, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EditItemFolder>()), m_itemId(itemId)
{
    setUp();
    m_record = WalletDatabase::instance()->getItem(itemId);
    m_folder = m_record.folder;
    ui->lineEdit->setText(m_record.name);
    const int match = fillIcons(m_record.icon);
    if (match >= 0)
        ui->comboBox->setCurrentIndex(match);
}

EditItemFolder::~EditItemFolder() = default;

void EditItemFolder::setUp()
{
    ui->setupUi(this);
    fitTextToFont(this);
    ui->labelError->hide();
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
}

int EditItemFolder::fillIcons(const QString& currentIcon)
{
    ui->labelTitle->setText(m_folder ? tr("Folder name") : tr("Item name"));
    const QList<IconInfo>& catalogue = m_folder ? folderIconCatalogue() : itemIconCatalogue();
    int match = -1;
    for (int index = 0; index < catalogue.size(); ++index) {
        const IconInfo& info = catalogue.at(index);
        ui->comboBox->addItem(iconForName(info.iconfil), info.title, info.iconfil);
        if (m_create)
            continue;
        if (info.iconfil == currentIcon || info.iconfil == QStringLiteral("icon_") + currentIcon)
            match = index;
    }
    return match;
}

void EditItemFolder::on_buttonBox_accepted()
{
    const QString name = ui->lineEdit->text();
    // A blank name would show as an empty row in the tree and the list.
    if (name.trimmed().isEmpty()) {
        ui->labelError->setText(m_folder ? tr("A folder needs a name.")
                                         : tr("An item needs a name."));
        ui->labelError->show();
        ui->lineEdit->setFocus();
        return;
    }
    QString icon = ui->comboBox->currentData().toString();
    icon.remove(QStringLiteral("icon_"));
    WalletDatabase* db = WalletDatabase::instance();
    m_record = m_create ? db->addItem(QString(), m_parentId, name, icon, m_folder)
                        : db->updateItem(m_itemId, name, icon);
    // A write the store refused keeps the dialog open with what was typed.
    if (m_record.itemId.isEmpty()) {
        ui->labelError->setText(tr("Could not be saved."));
        ui->labelError->show();
        return;
    }
    accept();
}
