#include "modaldriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ModalDriver::ModalDriver()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::expect(const QString& objectName, Handler handler)
{
    m_expected.push_back({objectName, std::move(handler)});
}

void ModalDriver::expectMessage(bool accept)
{
    expect(QStringLiteral("KVCustomMessage"), [accept](QWidget* box) {
        auto* buttons = box->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        const QList<QAbstractButton*> all = buttons->buttons();
        for (QAbstractButton* button : all) {
            const auto role = buttons->buttonRole(button);
            if ((accept &&
                 (role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::YesRole)) ||
                (!accept &&
                 (role == QDialogButtonBox::RejectRole || role == QDialogButtonBox::NoRole))) {
                button->click();
                return;
            }
        }
        static_cast<QDialog*>(box)->reject();
    });
}

void ModalDriver::expectPassword(const QString& password)
{
    expect(QStringLiteral("KVPasswordDialog"), [password](QWidget* dialog) {
        setText(dialog, "lineEdit", password);
        pressStandard(dialog, QDialogButtonBox::Ok);
    });
}

void ModalDriver::expectPasswordCancel()
{
    expect(QStringLiteral("KVPasswordDialog"),
           [](QWidget* dialog) { pressStandard(dialog, QDialogButtonBox::Cancel); });
}

QStringList ModalDriver::seenTitles() const
{
    QStringList titles;
    for (const Seen& seen : m_seen)
        titles.append(seen.title);
    return titles;
}

void ModalDriver::setText(QWidget* dialog, const char* objectName, const QString& text)
{
    dialog->findChild<QLineEdit*>(QLatin1String(objectName))->setText(text);
}

void ModalDriver::click(QWidget* dialog, const char* objectName)
{
    dialog->findChild<QAbstractButton*>(QLatin1String(objectName))->click();
}

void ModalDriver::pressStandard(QWidget* dialog, int standardButton)
{
    for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
        if (QPushButton* button =
                box->button(static_cast<QDialogButtonBox::StandardButton>(standardButton))) {
            button->click();
            return;
        }
    }
}

void ModalDriver::poll()
{
    QWidget* active = QApplication::activeModalWidget();
    if (!active || active == m_last || !active->isVisible())
        return;
    m_last = active;

    Seen seen{active->objectName(), active->windowTitle(), QString()};
    if (auto* title = active->findChild<QLabel*>(QStringLiteral("labelTitle")))
        seen.title = title->text();
    if (auto* text = active->findChild<QLabel*>(QStringLiteral("labelText")))
        seen.text = text->text();
    if (auto* warning = active->findChild<QLabel*>(QStringLiteral("labelWarning")))
        seen.text = warning->text();
    m_seen.append(seen);

    if (m_expected.empty() || m_expected.front().objectName != active->objectName()) {
        m_unexpected.append(active->objectName() + QStringLiteral(": ") + seen.title);
        if (auto* dialog = qobject_cast<QDialog*>(active))
            dialog->reject();
        return;
    }
    Handler handler = std::move(m_expected.front().handler);
    m_expected.pop_front();
    handler(active);
}
