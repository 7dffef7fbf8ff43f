// SPDX-License-Identifier: GPL-3.0-or-later
// The profile editor window on the sample job, loaded through the main
// window as a user loads it, for the tests that drive its edit controls.
#pragma once

#include "app/desktop/DesktopSession.h"
#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "grid/GridModel.h"
#include "support/ScriptedPrompter.h"
#include "ui/common/QtSettingsStore.h"
#include "ui/editor/DataEditWindow.h"
#include "ui/main/MainControls.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace tolvanor::testing {

inline QString SampleFile(const char* name) {
    return QStringLiteral(TOLVANOR_SAMPLES "/") + QLatin1String(name);
}

class EditorWindowHarness {
public:
    // Loads the sample job; false (with the reason in `failure`) when the editor did not come up.
    bool Start(QString& failure) {
        folder_ = std::make_unique<QTemporaryDir>();
        prompter_ = std::make_unique<ScriptedPrompter>();
        settings_ = std::make_unique<ui::QtSettingsStore>(folder_->filePath("Tolvanor1.ini"), QSettings::IniFormat);
        settings_->Save("WindowState", "0");
        session_ = std::make_unique<desktop::DesktopSession>(*prompter_, *settings_);
        auto& main = session_->Main();
        main.show();
        const auto& controls = main.Controls();
        controls.txtStartingPointFile->setText(SampleFile("survey.spf"));
        Editor().Options().StartingPointFile = SampleFile("survey.spf").toStdString();
        controls.txtSourceFileName->setText(SampleFile("survey.tvn"));
        controls.cboDataType->setCurrentIndex(5);
        main.NewFile();
        if (!Window().isVisible()) return Fail(failure, "the editor did not open");
        Window().resize(1400, 900);
        Window().activateWindow();
        if (!QTest::qWaitForWindowExposed(&Window())) return Fail(failure, "the editor was not exposed");
        if (GetJob().LineCount != 4) return Fail(failure, "the sample job has not four lines");
        prompter_->Reset();
        return true;
    }

    void Stop() {
        session_.reset();
        settings_.reset();
        prompter_.reset();
        folder_.reset();
    }

    ui::DataEditWindow& Window() { return session_->EditWindow(); }
    ui::MainWindow& Main() { return session_->Main(); }
    DataEditor& Editor() { return session_->Editor(); }
    Job& GetJob() { return session_->GetJob(); }
    GridModel& CoreGrid() { return Editor().Grid(); }
    QTableView* Grid() { return Window().GridView(); }
    ScriptedPrompter& Prompts() { return *prompter_; }
    QString Folder() const { return folder_->path(); }
    QString Stored(const char* key) { return QString::fromStdString(settings_->Get(key, "<absent>")); }

    QPushButton* Button(const char* name) { return Window().findChild<QPushButton*>(name); }
    QAction* Action(const char* name) { return Window().findChild<QAction*>(name); }

    // The cell (row, col) of the core's grid, rows counted as the core does (1 = first shot).
    QString CoreCell(int row, int col) { return QString::fromLatin1(CoreGrid().TextMatrix(row, col)); }
    QString ViewCell(int row, int col) { return Grid()->model()->index(row - 1, col).data().toString(); }

    // Empty when the view shows exactly the core's grid, titles included.
    QString GridDifference() {
        QCoreApplication::processEvents();
        auto* model = Grid()->model();
        const auto& grid = CoreGrid();
        if (model->rowCount() != grid.Rows() - 1)
            return QString("rows %1, core %2").arg(model->rowCount()).arg(grid.Rows() - 1);
        for (int col = 0; col < grid.Cols(); ++col) {
            const QString title = model->headerData(col, Qt::Horizontal).toString();
            if (title != CoreCell(0, col)) return QString("title %1: %2").arg(col).arg(title);
            for (int row = 1; row < grid.Rows(); ++row)
                if (ViewCell(row, col) != CoreCell(row, col))
                    return QString("cell %1,%2: '%3' vs '%4'")
                        .arg(row)
                        .arg(col)
                        .arg(ViewCell(row, col), CoreCell(row, col));
        }
        return {};
    }

    // Records 0..n of a line, the header first.
    std::vector<ShotRecord> Records(int line) {
        std::vector<ShotRecord> records;
        for (int shot = 0; shot <= GetJob().ShotCount(line); ++shot) records.push_back(GetJob().Data.At(line, shot));
        return records;
    }

    // Clicks the cell of a core row, Shift held for the selection's other end.
    void ClickCell(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const auto index = Grid()->model()->index(row - 1, col);
        Grid()->scrollTo(index);
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, modifiers, Grid()->visualRect(index).center());
    }
    void SelectRows(int anchor, int end, int col) {
        Grid()->setFocus();
        ClickCell(anchor, col);
        if (end != anchor) ClickCell(end, col, Qt::ShiftModifier);
    }
    void DoubleClickCell(int row, int col) {
        const auto index = Grid()->model()->index(row - 1, col);
        Grid()->scrollTo(index);
        QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, Grid()->visualRect(index).center());
    }
    void ClickTitle(int col) {
        auto* header = Grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(col) + header->sectionSize(col) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, header->height() / 2));
    }

private:
    static bool Fail(QString& failure, const char* why) {
        failure = QString::fromLatin1(why);
        return false;
    }

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<ui::QtSettingsStore> settings_;
    std::unique_ptr<desktop::DesktopSession> session_;
};

} // namespace tolvanor::testing
