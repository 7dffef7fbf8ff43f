// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopSession.h"
#include "ui/common/QtPrompter.h"
#include "ui/common/QtSettingsStore.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit met while saving is reported as a failed save, not
    // the signal ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvanor"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVANOR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Tolvanor"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Coastal survey profiles: read, edit and write deliverables."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A source file or saved job to open."));
    parser.process(app);

    tolvanor::ui::QtSettingsStore settings(QStringLiteral("Tolvanor") + QString::number(TOLVANOR_VERSION_MAJOR));
    tolvanor::ui::QtPrompter prompter;
    tolvanor::desktop::DesktopSession session(prompter, settings);
    prompter.SetParent(&session.Main());
    QObject::connect(&session, &tolvanor::desktop::DesktopSession::Finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    const QStringList files = parser.positionalArguments();
    session.Start(files.isEmpty() ? QString() : files.constFirst());
    return QApplication::exec();
}
