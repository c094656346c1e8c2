#include "ListBrandsForComparePrices.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(375, 474);
    setAutoFillBackground(true);
    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0x00, 0x00, 0xFF));
    setPalette(blue);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    CheckListBox1 = new QListWidget(this);
    QFont listFont = CheckListBox1->font();
    listFont.setBold(true);
    listFont.setPixelSize(16);
    CheckListBox1->setFont(listFont);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setStyleSheet(QStringLiteral("QListWidget::item { height: 19px; }"));
    v->addWidget(CheckListBox1, 1);

    Panel1 = new QFrame(this);
    Panel1->setFixedHeight(60);
    auto* h = new QHBoxLayout(Panel1);
    h->setContentsMargins(6, 5, 6, 5);
    SpeedButton18 = new QToolButton(Panel1);
    SpeedButton18->setFixedSize(50, 50);
    SpeedButton18->setIconSize(QSize(36, 36));
    SpeedButton18->setIcon(QIcon::fromTheme(QStringLiteral("edit-select-all"),
                                            style()->standardIcon(QStyle::SP_DialogApplyButton)));
    SpeedButton18->setToolTip(QStringLiteral("SELECT / UNCHECK LIST FILES FOR EXPORT PRICES"));
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setText(QStringLiteral("CLOSE ..."));
    QFont bold = SpeedButton1->font();
    bold.setBold(true);
    SpeedButton1->setFont(bold);
    SpeedButton1->setMaximumWidth(300);
    SpeedButton1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    h->addWidget(SpeedButton18);
    h->addWidget(SpeedButton1, 1);
    v->addWidget(Panel1);
}
