#include "PreparationTables.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {
QLabel* captionLabel(QWidget* parent, const QString& text, const QColor& fg, const QColor& bg, int pixelSize,
                     const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, fg);
    p.setColor(QPalette::Window, bg);
    l->setPalette(p);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(pixelSize);
    l->setFont(f);
    l->setGeometry(geometry);
    l->setIndent(6);
    return l;
}

QFrame* separator(QWidget* parent, int y)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, y, 520, 4);
    return line;
}
} // namespace

TForm2::TForm2(QWidget* mainWindow) : OwnedWindow(mainWindow, Qt::Window | Qt::FramelessWindowHint)
{
    setFixedSize(536, 261);
    QFont f = font();
    f.setBold(true);
    setFont(f);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setAutoFillBackground(true);
    QPalette cream = Panel1->palette();
    cream.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    Panel1->setPalette(cream);
    Panel1->setGeometry(0, 0, 536, 221);

    Label1 = captionLabel(Panel1, QStringLiteral("TO STOP THE PROCESS THE PRESS BUTTON [ESC]"), Qt::red,
                          QColor(0xFF, 0xFB, 0xF0), 13, QRect(8, 8, 520, 22));
    Label1->setAlignment(Qt::AlignCenter);
    QFont verdana = Label1->font();
    verdana.setFamily(QStringLiteral("Verdana"));
    Label1->setFont(verdana);
    separator(Panel1, 34);
    Label6 = captionLabel(Panel1, QStringLiteral("TOTAL PROCESSING BRANDS ::"), QColor(0x80, 0x00, 0x00),
                          Qt::white, 12, QRect(8, 42, 520, 22));
    Label7 = captionLabel(Panel1, QStringLiteral("ACTIVE BRAND :: "), Qt::white, QColor(0xA6, 0xCA, 0xF0), 16,
                          QRect(8, 68, 520, 30));
    Label3 = captionLabel(Panel1, QStringLiteral("COUNT ROWS FOR ACTIVE BRAND ::"), Qt::yellow,
                          palette().color(QPalette::Highlight), 12, QRect(8, 102, 520, 22));
    Label4 = captionLabel(Panel1, QStringLiteral("PROGRESS FOR ACTIVE BRAND ::"), Qt::white, Qt::black, 16,
                          QRect(8, 128, 520, 30));
    separator(Panel1, 166);
    Label2 = captionLabel(Panel1, QStringLiteral("Preparating tables ..."), Qt::blue,
                          QColor(0xFF, 0xFB, 0xF0), 12, QRect(8, 176, 520, 22));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setText(QStringLiteral("Close panel ..."));
    QPalette green = SpeedButton1->palette();
    green.setColor(QPalette::ButtonText, QColor(0x00, 0x80, 0x00));
    SpeedButton1->setPalette(green);
    SpeedButton1->setGeometry(4, 225, 528, 32);
    SpeedButton1->hide();
}
