#pragma once

#include <QWidget>

class QFrame;
class QListWidget;
class QToolButton;

// The comparison supplier list: every supplier with a tick box, a toggle-all picture button and
// "CLOSE ...". Created hidden with the main window as owner, shown and hidden afterwards.
class TForm3 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm3(QWidget* mainWindow = nullptr);

    QListWidget* CheckListBox1 = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
};
