// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AnalysisOptions.h"
#include "analysis/AnalysisResult.h"
#include "analysis/ProfilePolyline.h"
#include "analysis/ProfileTemplates.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>

class QCustomPlot;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tolvanor {
class DataEditor;
class Job;
class Prompter;
class SettingsStore;
} // namespace tolvanor

namespace tolvanor::ui {

class AnalysisSortProxy;
class AnalysisTableModel;

// "Analysis": areas above a datum, contour positions, the difference from
// the design template and the volumes along the reach, for the whole job.
// The boxes are remembered in the settings store; the table sorts by any
// column and copies as tab-separated text; the charts show the area along
// the shore and the current line's profile with its contour places. The
// current line follows the editor's profile list, and choosing a row makes
// that line the editor's current line.
class AnalysisWindow : public QMainWindow {
    Q_OBJECT
public:
    AnalysisWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings,
                   QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    const AnalysisResult& Result() const noexcept { return result_; }
    QTableView* Table() const noexcept { return tblAnalysis_; }
    // The figures of the line shown now; null before an analysis.
    const LineFigures* CurrentFigures() const noexcept {
        return current_ < result_.Lines.size() ? &result_.Lines[current_] : nullptr;
    }

public slots:
    // Runs the analysis with the boxes' settings; false (with a message) when they cannot be used.
    bool Analyse();
    // Follows the editor's current profile.
    void FollowEditor();
    void CopyTable();
    void ExportCsv();
    void ExportPng();

signals:
    // A row was chosen: the editor's current line changed to it.
    void ProfileChosen(int profileIndex);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildInputs(QWidget* central);
    void BuildViews(QWidget* central);
    void BuildButtons(QWidget* central);
    void BuildMenus();
    QLineEdit* AddBox(const char* name, const QString& label, const QString& tip, int row, int column, int span);
    void RestoreSettings();
    void SaveSettings();
    void SelectTemplateFile();
    void OnRowChosen();
    void ShowLine(std::size_t index);
    void ShowReach();

    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    SettingsStore& settings_;
    AnalysisOptions options_;
    ProfileTemplates templates_;
    AnalysisResult result_;
    std::vector<ProfilePoint> profile_;
    std::size_t current_ = 0;
    bool showing_ = false; // a selection made by the window itself

    QLineEdit* txtDatum_ = nullptr;
    QLineEdit* txtLimitFrom_ = nullptr;
    QLineEdit* txtLimitTo_ = nullptr;
    QLineEdit* txtContours_ = nullptr;
    QLineEdit* txtTemplateFile_ = nullptr;
    QPushButton* cmdSelectTemplate_ = nullptr;
    QPushButton* cmdAnalyse_ = nullptr;
    QTableView* tblAnalysis_ = nullptr;
    AnalysisTableModel* model_ = nullptr;
    AnalysisSortProxy* proxy_ = nullptr;
    QCustomPlot* pltAreaAlongShore_ = nullptr;
    QCustomPlot* pltProfile_ = nullptr;
    QLabel* lblCurrentLine_ = nullptr;
    QLabel* lblReach_ = nullptr;
};

} // namespace tolvanor::ui
