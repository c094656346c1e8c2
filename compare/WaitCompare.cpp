#include "WaitCompare.h"

#include <QCloseEvent>
#include <QLabel>

TForm4::TForm4(QWidget* mainWindow)
    : OwnedWindow(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
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

void TForm4::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}
