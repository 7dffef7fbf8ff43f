// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/DesktopSession.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "support/ScriptedPrompter.h"
#include "ui/common/QtSettingsStore.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

namespace tolvanor::testing {

inline QString SamplePath(const char* name) {
    return QStringLiteral(TOLVANOR_SAMPLES "/") + QLatin1String(name);
}
inline QString TestDataPath(const char* name) {
    return QStringLiteral(TOLVANOR_TEST_DATA "/") + QLatin1String(name);
}

// One run of the program against settings in a temporary INI file; a new
// run on the same folder is the program restarted.
class SessionRun {
public:
    explicit SessionRun(const QString& folder)
        : settings_(
              std::make_unique<ui::QtSettingsStore>(folder + QStringLiteral("/Tolvanor1.ini"), QSettings::IniFormat)) {
        session_ = std::make_unique<desktop::DesktopSession>(prompter_, *settings_);
    }

    ScriptedPrompter& Prompter() noexcept { return prompter_; }
    ui::QtSettingsStore& Settings() noexcept { return *settings_; }
    desktop::DesktopSession& Session() noexcept { return *session_; }
    ui::MainWindow& Window() noexcept { return session_->Main(); }
    const ui::MainControls& Controls() noexcept { return session_->Main().Controls(); }
    Job& GetJob() noexcept { return session_->GetJob(); }

    // Shown and active, so focus and shortcuts behave as for a user.
    void Show() {
        Window().show();
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
    }

    // Source file, data type and New File, as a user would set them.
    void Load(const QString& file, int dataType) {
        Controls().txtSourceFileName->setText(file);
        Controls().cboDataType->setCurrentIndex(dataType);
        Window().NewFile();
    }

    std::string Stored(std::string_view key) { return settings_->Get(key, "<absent>"); }

private:
    ScriptedPrompter prompter_;
    std::unique_ptr<ui::QtSettingsStore> settings_;
    std::unique_ptr<desktop::DesktopSession> session_;
};

// tolvanor-batch with these arguments in `folder`; its exit status.
inline int RunBatch(const QStringList& arguments, const QString& folder) {
    QProcess batch;
    batch.setWorkingDirectory(folder);
    batch.start(QStringLiteral(TOLVANOR_BATCH_EXE), arguments);
    if (!batch.waitForFinished(120000)) return -1;
    return batch.exitCode();
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

} // namespace tolvanor::testing
