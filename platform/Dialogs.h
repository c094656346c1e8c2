#pragma once

#include <QString>

// Every question and message to the user goes through this interface, so that tests can
// read the texts and script the answers instead of clicking real message boxes.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~Dialogs() = default;
    // A modal box with one OK button.
    virtual void show(const QString& text, Icon icon = Icon::None, const QString& title = QString()) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool confirm(const QString& text, const QString& title = QString()) = 0;
};

// The process-wide instance. Production installs the message box implementation at start-up;
// without one, messages are dropped and questions are answered No.
Dialogs& dialogs();
// Returns the previous instance; pass nullptr to restore the silent default.
Dialogs* setDialogs(Dialogs* instance);
