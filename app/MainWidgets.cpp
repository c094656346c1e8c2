#include "MainWidgets.h"

#include "Panels.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

#include <algorithm>

FoldPanel::FoldPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}

void FoldPanel::setPanelHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    // Qt cannot draw a negative height; the value itself is kept for the folding rules.
    resize(width(), std::max(0, height));
    followHeight();
    emit panelHeightChanged(height);
}

void FoldPanel::setInnerPart(QWidget* part, int top)
{
    m_inner = part;
    m_innerTop = top;
    followHeight();
}

void FoldPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (m_inner)
        m_inner->resize(std::max(0, width() - 2 * m_inner->x()), m_inner->height());
}

void FoldPanel::followHeight()
{
    if (!m_inner)
        return;
    const auto inner = PanelFolding::innerHeight(m_height);
    if (!inner)
        return;
    m_inner->setGeometry(m_inner->x(), m_innerTop, std::max(0, width() - 2 * m_inner->x()),
                         std::max(0, *inner));
}

TopStack::TopStack(QWidget* parent) : QWidget(parent) {}

void TopStack::addPanel(FoldPanel* panel)
{
    m_panels.append(panel);
    connect(panel, &FoldPanel::panelHeightChanged, this, &TopStack::restack);
    restack();
}

void TopStack::restack()
{
    int y = 0;
    for (FoldPanel* panel : std::as_const(m_panels)) {
        const int h = std::max(0, panel->panelHeight());
        panel->setGeometry(0, y, width(), h);
        y += h;
    }
}

void TopStack::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    restack();
}

LinkLabel::LinkLabel(const QString& text, const QColor& color, QWidget* parent) : QLabel(text, parent)
{
    QFont f = font();
    f.setBold(true);
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

QIcon PictureIcon(const QString& themeName, const QString& symbol, const QColor& color)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    QFont f = painter.font();
    f.setBold(true);
    f.setPixelSize(18);
    painter.setFont(f);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}
