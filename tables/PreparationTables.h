#pragma once

#include "platform/OwnedWindow.h"

class QFrame;
class QLabel;
class QToolButton;

// The progress window in which the two long runs execute: no frame, five caption labels and the
// bottom button. Created hidden with the main window as owner, shown and hidden afterwards; while
// shown the main window is disabled and this window stays usable over it.
class TForm2 : public OwnedWindow
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr; // header
    QLabel* Label6 = nullptr; // total
    QLabel* Label7 = nullptr; // active item
    QLabel* Label3 = nullptr; // count
    QLabel* Label4 = nullptr; // progress
    QLabel* Label2 = nullptr; // status
    QToolButton* SpeedButton1 = nullptr;
};
