#pragma once

#include <QString>

// The two documents outside the program that the main window links to.

// http address of the version history on the update server (also read by the release check).
QString VersionHistoryAddress(const QString& updateHost);
// A mailto: link to the support address asking for a new supplier site; spaces stay unencoded.
QString AddSiteMailLink(const QString& supportAddress);

// Both go through the shell; results are not examined. Defaults are this build's deployment values.
void OpenVersionHistory(const QString& updateHost = QString());
void OpenAddSiteMail(const QString& supportAddress = QString());
