#pragma once
// Every message box of the program goes through here, so that tests can
// answer them without a person.
#include <QString>

class QWidget;

namespace ui {

class MessageBoxes
{
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~MessageBoxes() = default;
    // Yes, No and Cancel, no icon.
    virtual Answer question(const QString &text) = 0;
    // OK only.
    virtual void notice(const QString &text) = 0;
    // The time-out report: exclamation mark, OK only.
    virtual void timeoutReport(const QString &text) = 0;
};

// Modal QMessageBoxes titled with the program's name over a parent window.
class QtMessageBoxes : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }
    Answer question(const QString &text) override;
    void notice(const QString &text) override;
    void timeoutReport(const QString &text) override;

private:
    QWidget *parent_;
};

inline const QString kAppTitle = QStringLiteral("コルヴァン");

} // namespace ui
