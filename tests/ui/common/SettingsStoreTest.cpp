// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/QtSettingsStore.h"

#include <QTemporaryDir>
#include <QtTest>

using tolvanor::ui::QtSettingsStore;

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    // Values come back byte for byte (8-bit paths too) from a fresh store on the same file.
    void ValuesSurviveAReopen() {
        QTemporaryDir dir;
        const QString file = dir.filePath("settings.ini");
        const std::string path = "/home/m\xc3\xa4ler/survey \xe9.tvn";
        {
            QtSettingsStore store(file, QSettings::IniFormat);
            QVERIFY(!store.Contains("InputFile"));
            QCOMPARE(store.Get("InputFile", "none"), std::string("none"));
            store.Save("InputFile", path);
        }
        QtSettingsStore reopened(file, QSettings::IniFormat);
        QVERIFY(reopened.Contains("InputFile"));
        QCOMPARE(reopened.Get("InputFile"), path);
        QCOMPARE(reopened.Settings().childGroups(), QStringList{QtSettingsStore::Group});
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
