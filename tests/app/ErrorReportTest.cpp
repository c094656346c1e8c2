#include "MainTestSupport.h"

#include "app/ErrorReport.h"
#include "app/Panels.h"
#include "platform/Error.h"

#include <stdexcept>

#include <gtest/gtest.h>

TEST(StandardErrorReport, AppendsAPeriodAfterCharactersThatSortAfterIt)
{
    const struct
    {
        const char* message;
        const char* shown;
    } cases[] = {
        {"StopExportData", "StopExportData."},
        {"Disk full", "Disk full."},
        {"Done.", "Done."},
        {"Wait ...", "Wait ..."},
        {"Really !!!", "Really !!!"},
        {"path/", "path/."},
        {"count 7", "count 7."},
        {"(x)", "(x)"},
        {"a-", "a-"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandardErrorText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
    EXPECT_EQ(StandardErrorText(QStringLiteral("Ölfilter fehlt ä")), QStringLiteral("Ölfilter fehlt ä."));
}

TEST(StandardErrorReport, IsAnErrorBoxTitledWithTheApplication)
{
    maintest::ScriptedDialogs dialogs;
    ShowStandardError(FileError(QStringLiteral("Cannot write")));
    ShowStandardError(std::runtime_error("plain"));
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Cannot write."));
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("CORVINEL"));
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("plain."));
}

TEST(PanelFolding, ToggleAndArrange)
{
    using P = PanelFolding;
    P::Captions captions = {"-", "+", "+", "+", "+"};
    captions = P::toggleList(captions, P::ComparePrices);
    EXPECT_EQ(captions, (P::Captions{"+", "+", "+", "+", "-"}));
    P::Layout layout = P::arrange(captions, 554);
    EXPECT_EQ(layout.heights, (std::array<int, 5>{41, 41, 41, 41, 352}));
    EXPECT_EQ(layout.partShown, (std::array<bool, 5>{false, false, false, false, true}));
    captions = P::toggleList(captions, P::ComparePrices);
    EXPECT_EQ(captions, (P::Captions{"+", "+", "+", "+", "+"}));
    layout = P::arrange(captions, 554);
    EXPECT_EQ(layout.heights, (std::array<int, 5>{41, 41, 41, 41, 41}));
    EXPECT_EQ(P::innerHeight(352), 302);
    EXPECT_FALSE(P::innerHeight(41).has_value());
    EXPECT_EQ(P::innerHeight(29), -21); // both settings panels open: the widgets clamp it
}

TEST(PanelFolding, ToggleAllUsesTheReferenceItem)
{
    using P = PanelFolding;
    EXPECT_EQ(P::toggleAll({}, 0), QList<bool>());
    EXPECT_EQ(P::toggleAll({false, true, true}, 1), QList<bool>({false, false, false}));
    EXPECT_EQ(P::toggleAll({false, true, true}, -1), QList<bool>({true, true, true}));
    EXPECT_EQ(P::toggleAll({false, true, true}, 9), QList<bool>({true, true, true}));
}
