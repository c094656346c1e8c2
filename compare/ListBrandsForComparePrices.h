#pragma once

#include "platform/OwnedWindow.h"
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

class QFrame;
class QListWidget;
class QToolButton;

// The comparison supplier list: every supplier with a tick box, a toggle-all picture button and
// "CLOSE ...". Created hidden at start, shown and hidden afterwards. The main window is its owner:
// the list is centred on it and disables it while shown.
class TForm3 : public OwnedWindow
{
    Q_OBJECT
public:
    explicit TForm3(QWidget* mainWindow = nullptr);

    // Fills the list with the main window's suppliers, in order, and restores the ticks stored in
    // the settings file in 'folder'. Closing saves there only once this has run.
    void FormCreate(const QStringList& suppliers, const QString& folder);

    void SpeedButton18Click(); // toggle all
    void SpeedButton1Click();  // "CLOSE ..."
    // Every close stores the ticks; a failed save is reported and the window closes all the same
    // (the ticks stay in memory and go out with the next close).
    void FormCloseQuery();

    QList<bool> ticks() const;
    bool isTicked(int index) const;
    void setTicked(int index, bool ticked);

    // Where a failed save is reported; by default a plain error box.
    std::function<void(const std::exception&)> reportError;

    QListWidget* CheckListBox1 = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    QToolButton* SpeedButton1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString m_folder;
    bool m_created = false;
};
