#pragma once

#include <memory>
#include <QDialog>

class QAction;
class StrengthMeter;
class QWidget;

namespace Ui {
class KVFieldEdit;
}

// Adds a field to an item or changes an existing field's value, in the
// editor that fits the field type's value type; carries the password
// generator and its settings panel for password fields.
class KVFieldEdit : public QDialog
{
    Q_OBJECT

public:
    KVFieldEdit(const QString& itemId, const QString& fieldId, QWidget* parent);
    ~KVFieldEdit() override;

public slots:
    void currentIndexChanged(int index);
    void fieldSelected();

private slots:
    void on_pushButtonPassSettings_clicked();
    void on_checkBoxSmartPass_stateChanged(int arg1);
    void on_spinBoxPassLen_valueChanged(int arg1);
    void on_checkBoxUpperCase_stateChanged(int arg1);
    void on_checkBoxLowerCase_stateChanged(int arg1);
    void on_checkBoxDigits_stateChanged(int arg1);
    void on_checkBoxSpecial_stateChanged(int arg1);
    void on_lineEditSpecials_textChanged(const QString& arg1);
    void valueTextChanged();
    void on_pushButtonGenerate_clicked();

private:
    void collapse();
    void fillTypeList();
    void setOkEnabled(bool enabled);
    void showBelow(QWidget* editor);
    // The text editor in use: one line, or several for a note.
    QWidget* valueEditor() const;
    QString valueText() const;
    void setValueText(const QString& value);
    static void focusLater(QWidget* editor);
    void setUpReveal();
    void setMasked(bool masked);
    void placeButtonBox(int top);
    void layoutPasswordPanel();
    void setPanelEnabledStates();
    void loadPasswordSettings();
    // Writes a check box's state under key: unchecked false, checked true.
    static void storeCheckState(const QString& key, int state);
    QList<QWidget*> panelWidgets() const;

    std::unique_ptr<Ui::KVFieldEdit> ui;
    QString m_itemId;
    QString m_fieldId;
    bool m_panelOpen = false;
    bool m_multiLine = false;
    QAction* m_reveal = nullptr;
    StrengthMeter* m_strength = nullptr;
};
