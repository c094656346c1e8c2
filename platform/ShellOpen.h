#pragma once

#include <QString>

#include <functional>

// Stand-in for the shell's "open" verb: a file, a web address or a mailto: link goes to the
// desktop's handler. The result is not examined by callers.
using ShellOpenHandler = std::function<void(const QString& target)>;

void ShellOpen(const QString& target);
// Production installs the desktop handler; tests install a recorder. Returns the previous one.
ShellOpenHandler setShellOpenHandler(ShellOpenHandler handler);
