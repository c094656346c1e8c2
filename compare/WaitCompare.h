#pragma once

#include "platform/OwnedWindow.h"

class QLabel;

// The wait window shown over the main window during a price comparison. Showing it disables the
// main window (its owner), hiding or closing it enables the owner again.
class TForm4 : public OwnedWindow
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* mainWindow = nullptr);

    QLabel* Panel1 = nullptr;

protected:
    // Only the run closes it: a close from the desktop would enable the main window mid-run.
    void closeEvent(QCloseEvent* event) override;
};
