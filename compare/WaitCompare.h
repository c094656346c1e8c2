#pragma once

#include <QWidget>

class QLabel;

// The wait window shown over the main window during a price comparison.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* mainWindow = nullptr);

    QLabel* Panel1 = nullptr;
};
