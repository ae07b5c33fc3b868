#pragma once
// Every message box of the program goes through here, so that tests can
// answer them without a person.
#include <QPointer>
#include <QString>

class QMessageBox;
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
    // About the program: its icon, OK only.
    virtual void about(const QString &text) = 0;
    // Builds the next time-out report ahead, so that it shows the moment time is up.
    virtual void prepareTimeoutReport() {}
};

// Modal QMessageBoxes titled with the program's name, over the window in use
// (the time-out report over the parent window).
class QtMessageBoxes : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget *parent = nullptr) : parent_(parent) {}
    ~QtMessageBoxes() override;
    void setParent(QWidget *parent) { parent_ = parent; }
    Answer question(const QString &text) override;
    void notice(const QString &text) override;
    void timeoutReport(const QString &text) override;
    void about(const QString &text) override;
    void prepareTimeoutReport() override;

private:
    QWidget *owner() const;
    QWidget *parent_;
    QPointer<QMessageBox> prepared_; // its parent may delete it first
};

inline const QString kAppTitle = QStringLiteral("コルヴァン");

} // namespace ui
