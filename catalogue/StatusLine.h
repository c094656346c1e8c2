#pragma once

#include <QString>

// The one-line status text of the main window. The window implements it and repaints at once in
// setText(); tests record the texts.
class StatusLine
{
public:
    virtual ~StatusLine() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};
