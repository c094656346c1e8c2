#include "maint/HelpText.h"
#include "maint/Links.h"
#include "platform/Error.h"
#include "platform/ShellOpen.h"
#include "tests/fixtures/TempDir.h"

#include <QFile>
#include <QFileDevice>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
QByteArray goldenHelp()
{
    QFile f(QStringLiteral(CORVINEL_MAINT_TEST_DATA "/help.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

class ShellRecorder
{
public:
    ShellRecorder()
    {
        m_previous = setShellOpenHandler([this](const QString& target) { opened << target; });
    }
    ~ShellRecorder() { setShellOpenHandler(m_previous); }
    QStringList opened;

private:
    ShellOpenHandler m_previous;
};
} // namespace

TEST(HelpFile, IsWrittenByteForByteAndOpened)
{
    fixtures::TempDir dir;
    ShellRecorder shell;
    ShowHelpFile(dir.folder());
    EXPECT_EQ(dir.read(QStringLiteral("help.txt")), goldenHelp());
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].endsWith(QStringLiteral("help.txt")));
    EXPECT_TRUE(QFile::exists(shell.opened[0]));
}

TEST(HelpFile, EveryPressRewritesAnEditedCopyAndOpensAgain)
{
    fixtures::TempDir dir;
    ShellRecorder shell;
    ShowHelpFile(dir.folder());
    ASSERT_TRUE(dir.write(QStringLiteral("help.txt"), "my own notes\r\n"));
    ShowHelpFile(dir.folder());
    EXPECT_EQ(dir.read(QStringLiteral("help.txt")), goldenHelp());
    EXPECT_EQ(shell.opened.size(), 2);
}

TEST(HelpFile, UnwritableFolderThrowsAndOpensNothing)
{
    fixtures::TempDir dir;
    QFile::setPermissions(dir.path(QString()), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ShellRecorder shell;
    // Root writes into read-only folders, so as root the write is tried as user nobody.
    const bool asNobody = geteuid() == 0;
    if (asNobody) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    EXPECT_THROW(ShowHelpFile(dir.folder()), FileError);
    if (asNobody && seteuid(0) != 0)
        std::abort();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_FALSE(dir.exists(QStringLiteral("help.txt")));
    QFile::setPermissions(dir.path(QString()),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(HelpFile, FullDiskKeepsTheEarlierFileAndOpensNothing)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write(QStringLiteral("help.txt"), "earlier"));
    ShellRecorder shell;
    {
        fixtures::FileSizeLimit limit(100);
        EXPECT_THROW(ShowHelpFile(dir.folder()), FileError);
    }
    EXPECT_EQ(dir.read(QStringLiteral("help.txt")), QByteArray("earlier"));
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST(Links, AddSiteMailIsAPlainTextMailtoLink)
{
    const QString link = AddSiteMailLink(QStringLiteral("help@example.org"));
    EXPECT_TRUE(link.startsWith(
        QStringLiteral("mailto:help@example.org?subject=REQUEST FOR FREE ADD NEW SITE IN LIST&body=")))
        << qPrintable(link);
    const QString body = link.mid(link.indexOf(QStringLiteral("&body=")) + 6);
    EXPECT_FALSE(body.isEmpty());
    EXPECT_FALSE(body.contains(QLatin1Char('&')));
    EXPECT_FALSE(body.contains(QLatin1Char('%')));
}

TEST(Links, BothOpenThroughTheShell)
{
    ShellRecorder shell;
    OpenVersionHistory(QStringLiteral("updates.example.org"));
    OpenAddSiteMail(QStringLiteral("help@example.org"));
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_EQ(shell.opened[0],
              QStringLiteral("http://updates.example.org/download/versionhistoryforargentleaf.txt"));
    EXPECT_EQ(shell.opened[1], AddSiteMailLink(QStringLiteral("help@example.org")));
}
