#include "tables/PreparationTables.h"

#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

// The progress window stands over the main window: showing it disables the main window, and it
// stays usable itself (a child window of a disabled owner would be greyed out with it).
TEST(PreparationTablesWindow, ShownOverTheDisabledMainWindowAndStillUsable)
{
    QWidget mainWindow;
    mainWindow.resize(777, 660);
    mainWindow.show();
    TForm2 form2(&mainWindow);
    EXPECT_FALSE(form2.isVisible()) << "created hidden";

    form2.show();
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(form2.isEnabled());
    EXPECT_TRUE(form2.SpeedButton1->isEnabled());
    EXPECT_EQ(form2.size(), QSize(536, 261));

    form2.hide();
    EXPECT_TRUE(mainWindow.isEnabled());
}
