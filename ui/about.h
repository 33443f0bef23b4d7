#pragma once

#include <memory>
#include <QDialog>

namespace Ui {
class About;
}

// Version and build information, the maker's links and the warranty notice.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget* parent);
    ~About() override;

    // "Build " + the number as five digits + ", " + the timestamp.
    static QString buildText(int number, const QString& timestamp);

private:
    std::unique_ptr<Ui::About> ui;
};
