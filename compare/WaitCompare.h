#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

// The wait window shown over the main window during a price comparison. Showing it disables the
// main window (its owner), hiding or closing it enables the owner again. Like the supplier list it
// is a window of its own, so that the disabled owner does not grey it out.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* mainWindow = nullptr);

    QLabel* Panel1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Only the run closes it: a close from the desktop would enable the main window mid-run.
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> m_owner;
};
