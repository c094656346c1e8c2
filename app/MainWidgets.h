#pragma once

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QList>

// A folding panel: its height is set explicitly, and an inner part follows the height.
class FoldPanel : public QFrame
{
    Q_OBJECT
public:
    explicit FoldPanel(QWidget* parent = nullptr);
    int panelHeight() const { return m_height; }
    void setPanelHeight(int height);
    // The part shown only when open; it gets the panel's height less the inner reserve.
    void setInnerPart(QWidget* part, int top);
    QWidget* innerPart() const { return m_inner; }

signals:
    void panelHeightChanged(int height);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void followHeight();
    int m_height = 0;
    int m_innerTop = 0;
    QWidget* m_inner = nullptr;
};

// Children stacked from the top at their panel heights, full width, as the window was designed.
class TopStack : public QWidget
{
    Q_OBJECT
public:
    explicit TopStack(QWidget* parent = nullptr);
    void addPanel(FoldPanel* panel);
    void restack();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<FoldPanel*> m_panels;
};

// A label that acts as a link: hand cursor, a click signal.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString& text, const QColor& color, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture for a button: the desktop theme's icon, or a drawn symbol when the theme lacks it.
QIcon PictureIcon(const QString& themeName, const QString& symbol, const QColor& color);
