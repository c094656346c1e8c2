#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

// The release check at the first activation: the first line of the version history on the update
// server names the current release.

// "\"CORVINEL\" " + version + " released"
QString ExpectedReleaseLine(const QString& versionText);

// What the one read of the version history brought back.
struct ReleaseAnswer
{
    bool readOk = false;         // the read succeeded
    int httpStatus = 0;          // status of the response; 0 when none arrived
    QByteArray bytes;            // at most the first 101 bytes of the body
    bool deadlinePassed = false; // the deadline had passed when the read returned
};

// True when the answer announces a release other than 'versionText'. An answer that is not a
// 200 response is an error page and never announces a release.
bool IsNewRelease(const ReleaseAnswer& answer, const QString& versionText);

inline constexpr qsizetype ReleaseReadLimit = 101;

// Reads the version history at 'address' (agent "HalvemarkUpload", one read of at most 101 bytes)
// and decides; false whenever the server cannot be reached or the answer is late.
bool CheckForNewRelease(const QString& address, const QString& versionText,
                        std::chrono::milliseconds deadline = std::chrono::seconds(10));
