#pragma once

#include <deque>
#include <functional>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QWidget;

// Answers the program's modal dialogs and message boxes from inside the test:
// each expected dialog (by object name) gets a handler that fills it in and
// presses a button. Every dialog seen is recorded. A dialog that nobody
// expected is rejected, so that a test never hangs on it.
class ModalDriver : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString objectName;
        QString title; // a message box's title, or the window title
        QString text;  // a message box's text, or a password dialog's warning
    };
    using Handler = std::function<void(QWidget*)>;

    ModalDriver();
    ~ModalDriver() override;

    void expect(const QString& objectName, Handler handler);
    // A message box answered with OK or Yes (accept) or No (reject).
    void expectMessage(bool accept = true);
    // A password dialog answered with the given entry, or cancelled.
    void expectPassword(const QString& password);
    void expectPasswordCancel();

    const QList<Seen>& seen() const { return m_seen; }
    QStringList seenTitles() const;
    bool allAnswered() const { return m_expected.empty() && m_unexpected.isEmpty(); }
    QStringList unexpected() const { return m_unexpected; }

    // Helpers for handlers.
    static void setText(QWidget* dialog, const char* objectName, const QString& text);
    static void click(QWidget* dialog, const char* objectName);
    static void pressStandard(QWidget* dialog, int standardButton);

private:
    void poll();

    struct Expected
    {
        QString objectName;
        Handler handler;
    };
    std::deque<Expected> m_expected;
    QList<Seen> m_seen;
    QStringList m_unexpected;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};
