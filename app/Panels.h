#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

// Folding rules of the main window's panels, free of widgets. A panel's open state lives only in
// its button caption: "-" open, "+" closed.
class PanelFolding
{
public:
    static constexpr int ClosedHeight = 41;
    static constexpr int SettingDataOpenHeight = 220;
    static constexpr int ExportSettingsOpenHeight = 185;
    // The open list panel is the work area less this; its inner part the panel less InnerReserve.
    static constexpr int OpenListReserve = 202;
    static constexpr int InnerReserve = 50;

    // List panels, top to bottom.
    enum ListPanel { Brands, TradeGroups, PreparationTables, ExportPrices, ComparePrices, ListPanelCount };
    using Captions = std::array<QString, ListPanelCount>;

    static QString openCaption() { return QStringLiteral("-"); }
    static QString closedCaption() { return QStringLiteral("+"); }
    static bool isOpen(const QString& caption) { return caption == openCaption(); }

    static QString settingDataSummary(const QString& folder, const QString& language, const QString& version);
    static QString exportPricesSummary(const QString& supplier, const QString& factor);

    // Captions after pressing the button of 'panel'.
    static Captions toggleList(Captions captions, ListPanel panel);

    struct Layout
    {
        std::array<int, ListPanelCount> heights{};
        std::array<bool, ListPanelCount> partShown{};
    };
    static Layout arrange(const Captions& captions, int workAreaHeight);

    // Height of a panel's inner part after the panel became 'panelHeight'; none at the closed height.
    static std::optional<int> innerHeight(int panelHeight);

    static QString countTitle(const QString& title, int ticked);

    // Tick all / untick all: every item gets the opposite of the reference, which is the selected
    // item or the first one. An empty list stays as it is.
    static QList<bool> toggleAll(QList<bool> ticks, int selected);
};
