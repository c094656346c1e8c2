#pragma once

#include <QPointer>
#include <QWidget>

// A secondary window that stands over the main window (its owner) and disables it while shown.
// It is a window of its own rather than a child of the owner, since a disabled owner would
// disable its child windows as well; the owner is only its transient parent.
class OwnedWindow : public QWidget
{
    Q_OBJECT
public:
    explicit OwnedWindow(QWidget* owner, Qt::WindowFlags flags);

    QWidget* owner() const { return m_owner; }

protected:
    void showEvent(QShowEvent* event) override;
    // Enables the owner on every hide, not only on close, so it is never left disabled.
    void hideEvent(QHideEvent* event) override;

private:
    QPointer<QWidget> m_owner;
};

// Centres a secondary window on its owner and keeps it with the owner on the desktop.
void PlaceOverOwner(QWidget* window, QWidget* owner);
