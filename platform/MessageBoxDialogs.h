#pragma once

#include "Dialogs.h"

// The production dialogs: real modal message boxes titled with the application's name.
class MessageBoxDialogs final : public Dialogs
{
public:
    void show(const QString& text, Icon icon, const QString& title) override;
    bool confirm(const QString& text, const QString& title) override;
};

// Installs the message boxes and the desktop's "open" handler.
void InstallDesktopPlatform();
