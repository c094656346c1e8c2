#pragma once

#include <QString>

#include <exception>

// The application's title, shown on its error report and in the release line.
QString ApplicationTitle();

// The text of the standard error report: "." is appended when the last character sorts after ".".
QString StandardErrorText(const QString& message);

// The standard error report: a modal error box titled with the application's title.
void ShowStandardError(const QString& message);
void ShowStandardError(const std::exception& error);
