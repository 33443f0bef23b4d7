#include "kvfieldedit.h"

#include "fittofont.h"
#include "formatfieldvalue.h"
#include "passwordgenerator.h"
#include "settingskeys.h"
#include "strengthmeter.h"
#include "ui_kvfieldedit.h"
#include "walletdatabase.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace {

const QString Placeholder = QStringLiteral("_notselected_");
const QString PreviousPassword = QStringLiteral("OLDP");
constexpr int PanelSpacing = 4;
constexpr int ButtonGap = 6;

} // namespace

KVFieldEdit::KVFieldEdit(const QString& itemId, const QString& fieldId, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVFieldEdit>()), m_itemId(itemId), m_fieldId(fieldId)
{
    ui->setupUi(this);
    fitTextToFont(this);
    ui->labelError->hide();
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    // The stored form of a date holds a four-digit year.
    ui->calendarWidget->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    // The calendar takes the text box's width, so that day names and dates
    // are readable in any font; week numbers are left out.
    ui->calendarWidget->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    ui->calendarWidget->resize(ui->plainTextEdit->width(), ui->calendarWidget->sizeHint().height());
    ui->labelComent->resize(ui->plainTextEdit->width(),
                            ui->labelComent->heightForWidth(ui->plainTextEdit->width()));
    setUpReveal();
    m_strength = new StrengthMeter(this);
    collapse();
    setOkEnabled(false);
    fillTypeList();
    connect(ui->comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(currentIndexChanged(int)));
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &KVFieldEdit::fieldSelected);
    connect(ui->plainTextEdit, &QPlainTextEdit::textChanged, this, &KVFieldEdit::valueTextChanged);
    connect(ui->lineEditValue, &QLineEdit::textChanged, this, &KVFieldEdit::valueTextChanged);
    loadPasswordSettings();
    // A new field starts at the type list, so the keyboard can pick the type.
    if (m_fieldId.isEmpty())
        ui->comboBox->setFocus();
}

KVFieldEdit::~KVFieldEdit() = default;

void KVFieldEdit::setOkEnabled(bool enabled)
{
    for (QAbstractButton* button : ui->buttonBox->buttons())
        if (ui->buttonBox->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setEnabled(enabled);
}

QList<QWidget*> KVFieldEdit::panelWidgets() const
{
    return {ui->checkBoxSmartPass, ui->labelSmartPassComment, ui->spinBoxPassLen,
            ui->labelPassLen,      ui->checkBoxUpperCase,     ui->checkBoxLowerCase,
            ui->checkBoxDigits,    ui->checkBoxSpecial,       ui->labelAllowedSpecial,
            ui->lineEditSpecials};
}

void KVFieldEdit::collapse()
{
    const QList<QWidget*> editors = {
        ui->plainTextEdit,         ui->lineEditValue, ui->timeEdit,
        ui->calendarWidget,        ui->labelComent,   ui->pushButtonGenerate,
        ui->pushButtonPassSettings};
    for (QWidget* widget : editors + panelWidgets())
        widget->hide();
    m_strength->hide();
    setFixedWidth(width());
    placeButtonBox(ui->plainTextEdit->y());
}

void KVFieldEdit::fillTypeList()
{
    WalletDatabase* db = WalletDatabase::instance();
    const QList<LabelRecord> labels = db->listLabels(0);
    ui->comboBox->clear();
    QString fieldType;
    if (!m_fieldId.isEmpty())
        fieldType = db->getField(m_itemId, m_fieldId).type;
    else
        ui->comboBox->addItem(QIcon(), tr("Select field..."), Placeholder);
    int position = -1;
    for (int i = 0; i < labels.size(); ++i) {
        const LabelRecord& label = labels.at(i);
        ui->comboBox->addItem(QIcon(QStringLiteral(":/app_icons/appicons/icon_") + label.icon +
                                    QStringLiteral("_huge.png")),
                              label.labelName, label.fieldType);
        if (!m_fieldId.isEmpty() && label.fieldType == fieldType)
            position = i;
    }
    if (position >= 0) {
        ui->comboBox->setCurrentIndex(position);
        ui->comboBox->setEnabled(false);
        currentIndexChanged(position);
    }
}

void KVFieldEdit::currentIndexChanged(int index)
{
    const QString code = ui->comboBox->itemData(index).toString();
    setOkEnabled(true);
    collapse();
    WalletDatabase* db = WalletDatabase::instance();
    const QString valueType = db->getLabel(code).valueType;
    const QString value = m_fieldId.isEmpty() ? QString() : db->getField(m_itemId, m_fieldId).value;

    if (code == Placeholder) {
        setOkEnabled(false);
        return;
    }
    if (valueType == QLatin1String("date")) {
        ui->calendarWidget->move(ui->plainTextEdit->pos());
        ui->calendarWidget->setSelectedDate(value.isEmpty() ? QDate::currentDate()
                                                            : parseStoredDate(value));
        showBelow(ui->calendarWidget);
        focusLater(ui->calendarWidget);
    } else if (valueType == QLatin1String("time")) {
        ui->timeEdit->move(ui->plainTextEdit->pos());
        ui->timeEdit->setTime(value.isEmpty() ? QTime::currentTime() : parseStoredTime(value));
        showBelow(ui->timeEdit);
        focusLater(ui->timeEdit);
    } else if (code == PreviousPassword) {
        showBelow(ui->labelComent);
    } else {
        // A note is written over several lines; every other value is one
        // line, where Enter presses OK. A value that already holds a line
        // break keeps the multi-line editor, so that no line is hidden.
        m_multiLine = code == QLatin1String("NOTE") || value.contains(QLatin1Char('\n'));
        QWidget* editor = valueEditor();
        setMasked(valueType == QLatin1String("pass"));
        setValueText(value);
        if (valueType == QLatin1String("pass")) {
            editor->show();
            m_strength->show();
            m_strength->setPassword(value);
            ui->pushButtonPassSettings->show();
            ui->pushButtonGenerate->show();
            layoutPasswordPanel();
        } else {
            showBelow(editor);
        }
        if (m_multiLine)
            ui->plainTextEdit->selectAll();
        else
            ui->lineEditValue->selectAll();
        focusLater(editor);
    }
}

void KVFieldEdit::setUpReveal()
{
    m_reveal = ui->lineEditValue->addAction(QIcon(QStringLiteral(":/toolbar_icons/icons/eye.png")),
                                            QLineEdit::TrailingPosition);
    m_reveal->setObjectName(QStringLiteral("actionReveal"));
    m_reveal->setCheckable(true);
    m_reveal->setToolTip(tr("Show the password while editing"));
    connect(m_reveal, &QAction::toggled, this, [this](bool shown) {
        ui->lineEditValue->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        m_reveal->setIcon(QIcon(shown ? QStringLiteral(":/toolbar_icons/icons/eye_off.png")
                                      : QStringLiteral(":/toolbar_icons/icons/eye.png")));
    });
    setMasked(false);
}

void KVFieldEdit::setMasked(bool masked)
{
    // A password is typed masked, with the eye beside it to reveal it.
    m_reveal->setChecked(false);
    m_reveal->setVisible(masked);
    ui->lineEditValue->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

QWidget* KVFieldEdit::valueEditor() const
{
    return m_multiLine ? static_cast<QWidget*>(ui->plainTextEdit)
                       : static_cast<QWidget*>(ui->lineEditValue);
}

QString KVFieldEdit::valueText() const
{
    return m_multiLine ? ui->plainTextEdit->toPlainText() : ui->lineEditValue->text();
}

void KVFieldEdit::setValueText(const QString& value)
{
    if (m_multiLine)
        ui->plainTextEdit->setPlainText(value);
    else
        ui->lineEditValue->setText(value);
}

void KVFieldEdit::focusLater(QWidget* editor)
{
    // A type picked from the list's popup: the popup hands the focus back to
    // the list when it closes, so the value editor takes it afterwards.
    QTimer::singleShot(0, editor, [editor] { editor->setFocus(Qt::OtherFocusReason); });
}

void KVFieldEdit::placeButtonBox(int top)
{
    // The error line sits to the left of the buttons, in the same row.
    ui->buttonBox->move(ui->buttonBox->x(), top);
    ui->labelError->move(ui->labelError->x(), top);
    setFixedHeight(top + ui->buttonBox->height());
}

void KVFieldEdit::showBelow(QWidget* editor)
{
    editor->show();
    placeButtonBox(editor->y() + editor->height() + ButtonGap);
}

void KVFieldEdit::layoutPasswordPanel()
{
    const int left = ui->plainTextEdit->x();
    // The strength of the password, then the generator's buttons, sit
    // right under the value.
    const int valueBottom = valueEditor()->y() + valueEditor()->height();
    m_strength->setGeometry(left, valueBottom + PanelSpacing, valueEditor()->width(),
                            m_strength->height());
    const int buttonsTop = m_strength->y() + m_strength->height() + ButtonGap;
    ui->pushButtonPassSettings->move(ui->pushButtonPassSettings->x(), buttonsTop);
    ui->pushButtonGenerate->move(ui->pushButtonGenerate->x(), buttonsTop);
    int y = buttonsTop + ui->pushButtonPassSettings->height();
    if (m_panelOpen) {
        // Each row takes the height its widgets need in the current font.
        y += PanelSpacing;
        const int width = ui->plainTextEdit->width();
        const int half = left + width / 2;
        const auto place = [](QWidget* widget, int x, int top, int w) {
            const int height = widget->hasHeightForWidth() ? widget->heightForWidth(w)
                                                           : widget->sizeHint().height();
            widget->setGeometry(x, top, w, height);
        };
        place(ui->checkBoxSmartPass, left, y, width);
        y += ui->checkBoxSmartPass->height();
        place(ui->labelSmartPassComment, left + 20, y, width - 20);
        y += ui->labelSmartPassComment->height() + 2 * PanelSpacing;
        ui->spinBoxPassLen->move(left, y);
        const int labelLeft = ui->spinBoxPassLen->x() + ui->spinBoxPassLen->width() + 6;
        place(ui->labelPassLen, labelLeft, y, left + width - labelLeft);
        ui->labelPassLen->move(labelLeft,
                               y + (ui->spinBoxPassLen->height() - ui->labelPassLen->height()) / 2);
        y += ui->spinBoxPassLen->height() + 2 * PanelSpacing;
        place(ui->checkBoxUpperCase, left, y, width / 2);
        place(ui->checkBoxLowerCase, half, y, width / 2);
        y += ui->checkBoxUpperCase->height() + PanelSpacing;
        place(ui->checkBoxDigits, left, y, width / 2);
        place(ui->checkBoxSpecial, half, y, width / 2);
        y += ui->checkBoxDigits->height() + 2 * PanelSpacing;
        place(ui->labelAllowedSpecial, left, y, width);
        y += ui->labelAllowedSpecial->height() + PanelSpacing;
        place(ui->lineEditSpecials, left, y, width);
        y += ui->lineEditSpecials->height() + ButtonGap;
        for (QWidget* widget : panelWidgets())
            widget->show();
        setPanelEnabledStates();
    } else {
        for (QWidget* widget : panelWidgets())
            widget->hide();
        y += ButtonGap;
    }
    placeButtonBox(y);
    valueEditor()->show();
}

void KVFieldEdit::setPanelEnabledStates()
{
    const bool manual = !ui->checkBoxSmartPass->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->spinBoxPassLen), static_cast<QWidget*>(ui->labelPassLen),
          static_cast<QWidget*>(ui->checkBoxUpperCase),
          static_cast<QWidget*>(ui->checkBoxLowerCase), static_cast<QWidget*>(ui->checkBoxDigits),
          static_cast<QWidget*>(ui->checkBoxSpecial),
          static_cast<QWidget*>(ui->labelAllowedSpecial)})
        widget->setEnabled(manual);
    ui->lineEditSpecials->setEnabled(manual && ui->checkBoxSpecial->isChecked());
}

void KVFieldEdit::loadPasswordSettings()
{
    using namespace SettingsKeys;
    const QSettings settings;
    ui->checkBoxSmartPass->setChecked(settings.value(smartPass(m_itemId), false).toBool());
    ui->checkBoxUpperCase->setChecked(settings.value(UpperCase, UpperCaseDefault).toBool());
    ui->checkBoxLowerCase->setChecked(settings.value(LowerCase, LowerCaseDefault).toBool());
    ui->checkBoxDigits->setChecked(settings.value(Digits, DigitsDefault).toBool());
    ui->checkBoxSpecial->setChecked(settings.value(Specials, SpecialsDefault).toBool());
    ui->spinBoxPassLen->setValue(passwordLength());
    ui->lineEditSpecials->setText(settings.value(SpecialSymbols, SpecialSymbolsDefault).toString());
    if (valueText().size() <= 2 && ui->checkBoxSmartPass->isChecked()) {
        ui->checkBoxSmartPass->setChecked(false);
        ui->checkBoxSmartPass->setEnabled(false);
        QSettings().setValue(smartPass(m_itemId), false);
    }
    setPanelEnabledStates();
}

void KVFieldEdit::storeCheckState(const QString& key, int state)
{
    if (state == Qt::Unchecked)
        QSettings().setValue(key, false);
    else if (state == Qt::Checked)
        QSettings().setValue(key, true);
}

void KVFieldEdit::fieldSelected()
{
    const QString code = ui->comboBox->currentData().toString();
    WalletDatabase* db = WalletDatabase::instance();
    const QString valueType = db->getLabel(code).valueType;
    QString value;
    if (valueType == QLatin1String("date"))
        value = storedDate(ui->calendarWidget->selectedDate());
    else if (valueType == QLatin1String("time"))
        value = storedTime(ui->timeEdit->time());
    else
        value = valueText();
    // An existing previous-password field is filled only by the store, when
    // a password of the item changes. A save the store refuses keeps the
    // dialog open with what the user typed.
    const bool saved = (code == PreviousPassword && !m_fieldId.isEmpty()) ||
                       db->saveField(code, value, m_itemId, m_fieldId);
    if (!saved) {
        ui->labelError->setText(tr("The field could not be saved."));
        ui->labelError->show();
        return;
    }
    accept();
}

void KVFieldEdit::on_pushButtonPassSettings_clicked()
{
    m_panelOpen = !m_panelOpen;
    layoutPasswordPanel();
}

void KVFieldEdit::on_checkBoxSmartPass_stateChanged(int arg1)
{
    storeCheckState(SettingsKeys::smartPass(m_itemId), arg1);
    if (arg1 != Qt::PartiallyChecked)
        setPanelEnabledStates();
}

void KVFieldEdit::on_spinBoxPassLen_valueChanged(int arg1)
{
    QSettings().setValue(SettingsKeys::Length, arg1);
}

void KVFieldEdit::on_checkBoxUpperCase_stateChanged(int arg1)
{
    storeCheckState(SettingsKeys::UpperCase, arg1);
}

void KVFieldEdit::on_checkBoxLowerCase_stateChanged(int arg1)
{
    storeCheckState(SettingsKeys::LowerCase, arg1);
}

void KVFieldEdit::on_checkBoxDigits_stateChanged(int arg1)
{
    storeCheckState(SettingsKeys::Digits, arg1);
}

void KVFieldEdit::on_checkBoxSpecial_stateChanged(int arg1)
{
    storeCheckState(SettingsKeys::Specials, arg1);
    if (arg1 != Qt::PartiallyChecked)
        setPanelEnabledStates();
}

void KVFieldEdit::on_lineEditSpecials_textChanged(const QString& arg1)
{
    QSettings().setValue(SettingsKeys::SpecialSymbols, arg1);
}

void KVFieldEdit::valueTextChanged()
{
    if (!m_strength->isHidden())
        m_strength->setPassword(valueText());
    if (valueText().size() > 2) {
        ui->checkBoxSmartPass->setEnabled(true);
    } else {
        ui->checkBoxSmartPass->setChecked(false);
        ui->checkBoxSmartPass->setEnabled(false);
    }
}

void KVFieldEdit::on_pushButtonGenerate_clicked()
{
    setValueText(PasswordGenerator::generate(PasswordGenerator::load(m_itemId), valueText()));
}
