// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/HelpWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMessageBox>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

// The guide is a resource of this static library: it is registered by hand,
// outside any namespace, before its first use.
static void RegisterGuide() {
    Q_INIT_RESOURCE(guide);
}

namespace tolvanor::ui {
namespace {

constexpr const char* HelpWindowName = "frmHelp";
const QUrl GuideHome("qrc:/guide/index.html");

QAction* AddAction(QToolBar* bar, const QString& text, const QString& tip, const QKeySequence& key) {
    QAction* action = bar->addAction(text);
    action->setToolTip(tip);
    action->setShortcut(key);
    return action;
}

// A top-level window owned by `parent`: a browser over the bundled guide
// with Contents, Back and Forward, closed by Escape.
QWidget* CreateHelpWindow(QWidget* parent) {
    RegisterGuide();
    auto* window = new QWidget(parent, Qt::Window);
    window->setObjectName(HelpWindowName);
    window->setWindowTitle("Tolvanor Help");
    if (parent == nullptr) window->setAttribute(Qt::WA_DeleteOnClose);

    auto* browser = new QTextBrowser(window);
    browser->setObjectName("helpBrowser");
    browser->setAccessibleName("User guide");
    browser->setOpenExternalLinks(true);
    auto* bar = new QToolBar(window);
    QAction* home = AddAction(bar, "&Contents", "Go to the contents", QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* back = AddAction(bar, "&Back", "Go back", QKeySequence::Back);
    QAction* forward = AddAction(bar, "&Forward", "Go forward", QKeySequence::Forward);
    QAction* close = AddAction(bar, "C&lose", "Close the help window", QKeySequence(Qt::Key_Escape));
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(home, &QAction::triggered, browser, &QTextBrowser::home);
    QObject::connect(back, &QAction::triggered, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QAction::triggered, browser, &QTextBrowser::forward);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser, 1);
    browser->setSource(GuideHome);
    window->resize(820, 640);
    return window;
}

} // namespace

void ShowUserGuide(QWidget* parent) {
    QWidget* window =
        parent != nullptr ? parent->findChild<QWidget*>(HelpWindowName, Qt::FindDirectChildrenOnly) : nullptr;
    if (window == nullptr) window = CreateHelpWindow(parent);
    window->show();
    window->raise();
    window->activateWindow();
}

void ShowAbout(QWidget* parent) {
    const QString text =
        QString("<h3>Tolvanor %1</h3>"
                "<p>Shore-profile survey processing: field shots in, profile deliverables out.</p>"
                "<p>Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later). "
                "This program comes with no warranty.</p>"
                "<p>Built with Qt %2 (running on Qt %3), QCustomPlot for the charts, "
                "CLI11 for tolvanor-batch, and the C++ standard library.</p>")
            .arg(QStringLiteral(TOLVANOR_VERSION), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
    QMessageBox::about(parent, "About Tolvanor", text);
}

} // namespace tolvanor::ui
