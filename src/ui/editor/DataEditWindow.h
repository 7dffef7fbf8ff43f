// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/EditorLayout.h"
#include "editor/EditorPlots.h"

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QVBoxLayout;

namespace tolvanor {
class DataEditor;
class Job;
class OutputEditor;
class Prompter;
class SettingsStore;
} // namespace tolvanor

namespace tolvanor::ui {

class ChartView;
class LineDataTableModel;

// The profile editor "frmDataEdit": the current line in the grid beside its
// five charts, the profile lists, the starting-point frame and the chart
// and layout menus. One instance lives for the whole run; closing hides it.
// Everything it shows comes from the core editor and its plots.
class DataEditWindow : public QMainWindow {
    Q_OBJECT
public:
    DataEditWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings,
                   QWidget* parent = nullptr);
    ~DataEditWindow() override;

    EditorPlots& Plots() noexcept { return *plots_; }
    EditorLayout& Layout() noexcept { return layout_; }
    ChartView* Chart(PlotId id) const noexcept { return charts_[static_cast<std::size_t>(id)]; }
    QTableView* GridView() const noexcept { return grid_; }
    LineDataTableModel* GridAdapter() const noexcept { return gridModel_; }
    // The frame that holds the command frames; the edit commands add theirs here.
    QFrame* ControlsFrame() const noexcept { return fraControls_; }
    // Adds a frame to the command band; the band wraps its frames into rows.
    void AddControlGroup(QGroupBox* group);
    // Adds a button under "Update Plots" / "Update Grid".
    void AddCommandButton(QPushButton* button);
    DataEditor& Editor() noexcept { return editor_; }
    // The output command's editor steps, on this window.
    OutputEditor& OutputHooks() noexcept { return *outputHooks_; }

    // Shows the window (first time in its remembered state) and brings it up to date.
    void ShowEditor();
    // Brings every control up to date with the core now.
    void SyncFromCore();

public slots:
    void NextLine();
    void PreviousLine();
    void UpdatePlots();
    void UpdateGrid();
    void ApplyLayout();
    // The main window emptied the job: the charts let go of its lines.
    void ClearJob();
    // Lines changed outside the editor: redraw the current one.
    void RedrawJob();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildProfileFrame(QWidget* central);
    void BuildGrid(QWidget* central);
    void BuildControls(QWidget* central);
    void BuildStartingPointFrame();
    int ControlsHeightFor(int width) const;
    void ArrangeControls(int width, int clientHeight);
    void SetTabbedControls(bool tabbed);
    void BuildCharts(QWidget* central);
    void BuildMenus();
    QAction* AddToggle(QMenu* menu, const QString& text, const char* name, bool checked);
    void OnPlotOptionToggled();
    void ConnectChart(PlotId id);
    void OnToolButton(PlotId id, int button);
    void OnViewSelectionChanged();
    void SyncGridSelection();
    void SyncGridScroll();
    void SyncLists();
    void SyncStartingPoint();
    void FlushCharts();
    void ShowWindowSize();
    void ShowVirtualSize();
    void SizeGridColumns();
    int GridPixelWidth() const;
    int ToPixels(int twips) const;
    int ToTwips(int pixels) const;

    Job& job_;
    DataEditor& editor_;
    Prompter& prompter_;
    SettingsStore& settings_;
    std::unique_ptr<EditorPlots> plots_;
    EditorLayout layout_;
    std::unique_ptr<OutputEditor> outputHooks_;
    bool firstShow_ = true;
    bool syncingGrid_ = false;

    QFrame* fraProfileLines_ = nullptr;
    QComboBox* cboProfileList_ = nullptr;
    QListWidget* lstPlotLines_ = nullptr;
    QTableView* grid_ = nullptr;
    LineDataTableModel* gridModel_ = nullptr;
    QLabel* lblLineIgnored_ = nullptr;
    QFrame* fraControls_ = nullptr;
    QVBoxLayout* commandColumn_ = nullptr;
    QTabWidget* tabActions_ = nullptr;
    struct CommandGroup {
        QGroupBox* Frame;
        QString Caption;
    };
    std::vector<CommandGroup> commandGroups_;
    std::vector<QSize> flatSizes_; // the band's items side by side, measured while they were
    QGroupBox* fraStartingPoint_ = nullptr;
    QLabel* lblStartingPoint_ = nullptr;
    QLineEdit* txtSPEasting_ = nullptr;
    QLineEdit* txtSPNorthing_ = nullptr;
    QLineEdit* txtSPAngle_ = nullptr;
    QPushButton* cmdUpdatePlots_ = nullptr;
    QPushButton* cmdPlotToGrid_ = nullptr;
    std::array<ChartView*, PlotCount> charts_{};

    QAction* mnuShowNext_ = nullptr;
    QAction* mnuShowPrevious_ = nullptr;
    QAction* mnuShowTemplate_ = nullptr;
    QAction* mnuSyncCharts_ = nullptr;
    QAction* mnuShowLegend_ = nullptr;
    QAction* mnuShowControls_ = nullptr;
    QAction* mnuShowBigPlot_ = nullptr;

    // What the two lists were last filled with.
    std::vector<std::string> shownProfiles_;
};

} // namespace tolvanor::ui
