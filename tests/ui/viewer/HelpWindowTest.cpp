// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled user guide: every page is in the resource and every link
// between pages leads to one.
#include "ui/common/HelpWindow.h"

#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void GuideOpensOnItsContentsAndIsReused() {
        QWidget owner;
        tolvanor::ui::ShowUserGuide(&owner);
        auto* window = owner.findChild<QWidget*>("frmHelp");
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        auto* browser = window->findChild<QTextBrowser*>("helpBrowser");
        QVERIFY(browser != nullptr);
        QCOMPARE(browser->documentTitle(), QString("Tolvanor user guide"));
        window->close();
        tolvanor::ui::ShowUserGuide(&owner);
        QCOMPARE(owner.findChildren<QWidget*>("frmHelp").size(), 1);
        QVERIFY(window->isVisible());
    }

    void EveryLinkLeadsToABundledPage() {
        QWidget owner;
        tolvanor::ui::ShowUserGuide(&owner);
        auto* browser = owner.findChild<QTextBrowser*>("helpBrowser");
        QFile index(":/guide/index.html");
        QVERIFY(index.open(QIODevice::ReadOnly));
        const QString contents = QString::fromUtf8(index.readAll());
        const QRegularExpression link(R"re(href="([a-z-]+\.html)")re");
        int pages = 0;
        for (const auto& match : link.globalMatch(contents)) {
            const QString page = match.captured(1);
            QFile file(":/guide/" + page);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
            const QString text = QString::fromUtf8(file.readAll());
            QVERIFY2(text.contains("href=\"index.html\""), qPrintable(page + " has no way back"));
            browser->setSource(QUrl("qrc:/guide/" + page));
            QVERIFY2(!browser->documentTitle().isEmpty(), qPrintable(page));
            ++pages;
        }
        QVERIFY(pages >= 6);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
