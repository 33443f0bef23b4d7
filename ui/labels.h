#pragma once

#include "iconinfo.h"
#include "labelrecord.h"

#include <memory>
#include <QDialog>

class QListWidgetItem;

namespace Ui {
class labels;
}

// The labels manager: renames labels or gives them another icon, adds custom
// labels and deletes custom labels that no live field uses.
class labels : public QDialog
{
    Q_OBJECT

public:
    enum Mode
    {
        Browsing = 0,
        Editing = 1,
        Adding = 2
    };

    explicit labels(QWidget* parent);
    ~labels() override;

private slots:
    void on_addButton_clicked();
    void onItemActivated(QListWidgetItem* current, QListWidgetItem* previous);
    void onTextChanged(const QString& text);
    void onIconIndexChanged(int index);
    void on_removeLabel_clicked();
    void on_pushButton_clicked();

private:
    void fillList();
    void loadLabel(const QString& code);
    void selectIcon(const QString& iconName);
    void setNameGuarded(const QString& text);
    void enterWorkingLayout();
    void backToBrowsing();
    void restoreOnCancel();
    void placeLineEdit(bool besideValueType);
    QString selectedCode() const;

    std::unique_ptr<Ui::labels> ui;
    LabelRecord current;
    int mode = Browsing;
    bool textGuard = false;
    bool iconGuard = false;
    QList<IconInfo> iconList;
};
