#include "Links.h"

#include "platform/ShellOpen.h"

#include "Deployment.h"

QString VersionHistoryAddress(const QString& updateHost)
{
    return QStringLiteral("http://") + updateHost +
           QStringLiteral("/download/versionhistoryforargentleaf.txt");
}

QString AddSiteMailLink(const QString& supportAddress)
{
    return QStringLiteral("mailto:") + supportAddress +
           QStringLiteral("?subject=REQUEST FOR FREE ADD NEW SITE IN LIST"
                          "&body=Please enter the link of the site that should be added to the program so "
                          "that its prices can be compared.");
}

void OpenVersionHistory(const QString& updateHost)
{
    ShellOpen(
        VersionHistoryAddress(updateHost.isEmpty() ? QString::fromUtf8(Deployment::UpdateHost) : updateHost));
}

void OpenAddSiteMail(const QString& supportAddress)
{
    ShellOpen(AddSiteMailLink(supportAddress.isEmpty() ? QString::fromUtf8(Deployment::SupportEmail)
                                                       : supportAddress));
}
