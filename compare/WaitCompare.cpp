#include "WaitCompare.h"

#include "ListBrandsForComparePrices.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QLabel>
#include <QShowEvent>

TForm4::TForm4(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_owner(mainWindow)
{
    setFixedSize(419, 58);
    Panel1 = new QLabel(QStringLiteral("Wait, is assessment ..."), this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    QFont f = Panel1->font();
    f.setBold(true);
    f.setPixelSize(14);
    Panel1->setFont(f);
    Panel1->setGeometry(0, 0, 419, 58);
}

void TForm4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    PlaceOverOwner(this, m_owner);
    if (m_owner)
        m_owner->setEnabled(false);
}

void TForm4::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_owner)
        m_owner->setEnabled(true);
}

void TForm4::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}
