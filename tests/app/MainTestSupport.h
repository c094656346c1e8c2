#pragma once

#include "app/Main.h"
#include "catalogue/CatalogueConnection.h"
#include "platform/Dialogs.h"
#include "platform/ShellOpen.h"
#include "tests/fixtures/TempDir.h"
#include "tests/fixtures/TestHttpServer.h"

#include <memory>

namespace maintest {

// Message boxes recorded instead of shown; questions answered from a script (No when it runs out).
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        QString title;
    };
    ScriptedDialogs() : m_previous(setDialogs(this)) {}
    ~ScriptedDialogs() override { setDialogs(m_previous); }
    void show(const QString& text, Icon icon, const QString& title) override
    {
        shown.append({text, icon, title});
    }
    bool confirm(const QString& text, const QString& title) override
    {
        shown.append({text, Icon::Question, title});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }
    QList<Shown> shown;
    QList<bool> answers;

private:
    Dialogs* m_previous;
};

class ShellRecorder
{
public:
    ShellRecorder() : m_previous(setShellOpenHandler([this](const QString& t) { opened << t; })) {}
    ~ShellRecorder() { setShellOpenHandler(m_previous); }
    QStringList opened;

private:
    ShellOpenHandler m_previous;
};

// A port on 127.0.0.1 where nothing listens.
inline quint16 ClosedPort()
{
    // A port the system just handed out and that is free again.
    fixtures::TestHttpServer probe;
    const quint16 port = probe.port();
    probe.stop();
    return port;
}

inline MainOptions OptionsFor(const fixtures::TempDir& dir)
{
    MainOptions options = MainOptions::defaults();
    options.folder = dir.folder();
    options.releaseCheck = false;
    return options;
}

// A main window whose catalogue server cannot be reached.
inline std::unique_ptr<TForm1> OfflineWindow(const MainOptions& options)
{
    auto form = std::make_unique<TForm1>(options);
    form->CON_MYSQL->setHost(QStringLiteral("127.0.0.1"));
    form->CON_MYSQL->setPort(ClosedPort());
    form->CON_MYSQL->setConnectTimeout(2);
    return form;
}

// Settings file text: UTF-8 with BOM and CR LF.
inline QByteArray Ini(const QByteArray& body)
{
    QByteArray text = body;
    text.replace("\n", "\r\n");
    return "\xEF\xBB\xBF" + text;
}

} // namespace maintest
