#include "OwnedWindow.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QWindow>

void PlaceOverOwner(QWidget* window, QWidget* owner)
{
    if (!owner)
        return;
    window->move(owner->geometry().center() - QPoint(window->width() / 2, window->height() / 2));
    // Without a parent the window manager learns from the transient parent whose window this is.
    if (QWindow* own = owner->windowHandle()) {
        window->winId();
        if (QWindow* handle = window->windowHandle())
            handle->setTransientParent(own);
    }
}

OwnedWindow::OwnedWindow(QWidget* owner, Qt::WindowFlags flags) : QWidget(nullptr, flags), m_owner(owner) {}

void OwnedWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    PlaceOverOwner(this, m_owner);
    if (m_owner)
        m_owner->setEnabled(false);
}

void OwnedWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_owner)
        m_owner->setEnabled(true);
}
