#pragma once

#include <QApplication>

// The application object: an error that escapes any event handler ends in the standard error
// report instead of ending the program.
class CorvinelApplication : public QApplication
{
    Q_OBJECT
public:
    CorvinelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Fonts and icons of the desktop look: Tahoma where installed, a close sans-serif otherwise.
void ApplyDesktopLook();
