// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/EditActions.h"

#include "core/Job.h"
#include "editor/CopiedCurve.h"
#include "editor/CopyBetweenCursors.h"
#include "editor/DataEditor.h"
#include "editor/EditOverlays.h"
#include "editor/Overlay.h"
#include "editor/ShotCommandRules.h"
#include "editor/Undo.h"
#include "editor/commands/EditCommands.h"
#include "ui/common/BusyCursorGuard.h"
#include "ui/editor/CellTextEditor.h"
#include "ui/editor/ChartView.h"
#include "ui/editor/DataEditWindow.h"
#include "ui/editor/LineDataTableModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tolvanor::ui {

EditActions::EditActions(DataEditWindow& window, Job& job, DataEditor& editor, Prompter& prompter,
                         SettingsStore& settings)
    : QObject(&window), window_(window), job_(job), editor_(editor), prompter_(prompter), settings_(settings) {
    InstallEditOverlays(window_.Plots(), job_, editor_, prompter_, template_);
    cellEditor_ = new CellTextEditor(*window_.GridView(), job_, editor_, prompter_, this);
    cellEditor_->SetOnClosed([this] { AfterCommand(); });
    BuildFrames();
    BuildMenus();
    TakeOverShowTemplate();
    WatchChartAndBoxes();
    cellEditor_->SetShotButtons(cmdDeleteShot_, cmdInterpolateElev_);
    fillingTemplateBox_ = true;
    template_.Load(settings_, prompter_, window_.Plots().Options());
    fillingTemplateBox_ = false;
    auto* model = window_.GridAdapter();
    connect(model, &QAbstractItemModel::modelReset, this, &EditActions::Refresh);
    connect(model, &QAbstractItemModel::dataChanged, this, &EditActions::Refresh);
    connect(model, &QAbstractItemModel::layoutChanged, this, &EditActions::Refresh);
    Refresh();
}

QPushButton* EditActions::AddButton(const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(name);
    button->setAccessibleName(QString::fromLatin1(caption).remove('&'));
    if (tip) button->setToolTip(QString::fromLatin1(tip));
    return button;
}

void EditActions::BuildFrames() {
    auto* controls = window_.ControlsFrame();
    auto* lineFrame = new QGroupBox("Line Actions", controls);
    lineFrame->setObjectName("fraLineActions");
    auto* lineGrid = new QGridLayout(lineFrame);
    lineGrid->setContentsMargins(6, 2, 6, 4);
    lineGrid->setSpacing(3);
    auto* cmdDeleteLines =
        AddButton("cmdDeleteLines", "Delete Lines", "Deletes lines with specified text in Profile Number");
    auto* cmdIgnoreLine = AddButton("cmdIgnoreLine", "Toggle Ignore Line",
                                    "Line Ignored will eliminate the line from output, but not from the data file");
    auto* cmdThin = AddButton("cmdThin", "Thin Data", "Thins the data on this line as selected on processing page");
    auto* cmdNormalizeLine = AddButton("cmdNormalizeLine", "Normalize Line", "Straightens the line data ");
    auto* cmdMergeLines = AddButton("cmdMergeLines", "Merge Lines", nullptr);
    auto* cmdDeleteOverlap = AddButton("cmdDeleteOverlap", "Delete Overlap", nullptr);
    chkFromAllLines_ = new QCheckBox("From All Lines", lineFrame);
    chkFromAllLines_->setObjectName("chkFromAllLines");
    chkFromAllLines_->setAccessibleName("From All Lines");
    chkFromAllLines_->setToolTip("If checked, overlap will be deleted from all loaded lines");
    auto* cmdGenData = AddButton("cmdGenData", "Gen Sounder Data", nullptr);
    // Two rows of four keep the band low; "From All Lines" sits beside the
    // command it qualifies.
    lineGrid->addWidget(cmdDeleteLines, 0, 0);
    lineGrid->addWidget(cmdIgnoreLine, 0, 1);
    lineGrid->addWidget(cmdThin, 0, 2);
    lineGrid->addWidget(cmdNormalizeLine, 0, 3);
    lineGrid->addWidget(cmdMergeLines, 1, 0);
    lineGrid->addWidget(cmdGenData, 1, 1);
    lineGrid->addWidget(cmdDeleteOverlap, 1, 2);
    lineGrid->addWidget(chkFromAllLines_, 1, 3);

    auto* shotFrame = new QGroupBox("Shot Actions", controls);
    shotFrame->setObjectName("fraShotActions");
    auto* shotGrid = new QGridLayout(shotFrame);
    shotGrid->setContentsMargins(6, 2, 6, 4);
    shotGrid->setSpacing(3);
    auto* cmdNormalizePoint = AddButton("cmdNormalizePoint", "Normalize Shots", nullptr);
    cmdDeleteShot_ = AddButton("cmdDeleteShot", "Delete Shot", nullptr);
    cmdDeleteShot_->setEnabled(false); // a click on the grid picks the shots first
    auto* cmdIgnoreShot = AddButton("cmdIgnoreShot", "Toggle Ignore Shot", "Sets Ignore of selected shot(s) to True");
    cmdInterpolateElev_ = AddButton("cmdInterpolateElev", "Interpolate Elevation",
                                    "Interpolates selected Elevation between adjacent elevations");
    shotGrid->addWidget(cmdNormalizePoint, 0, 0);
    shotGrid->addWidget(cmdDeleteShot_, 0, 1);
    shotGrid->addWidget(cmdIgnoreShot, 1, 0);
    shotGrid->addWidget(cmdInterpolateElev_, 1, 1);

    cmdUndo_ = AddButton("cmdUndo", "Undo Last Action", "Restores the data changed by the last action");
    window_.AddCommandButton(cmdUndo_);
    window_.AddControlGroup(lineFrame);
    window_.AddControlGroup(shotFrame);
    BuildTemplateControls();

    connect(cmdDeleteLines, &QPushButton::clicked, this, [this] {
        Run(
            [this] {
                if (DeleteLines(job_, editor_, prompter_) == DeleteLinesOutcome::AllDeleted) window_.hide();
            },
            true);
    });
    connect(cmdIgnoreLine, &QPushButton::clicked, this, [this] { Run([this] { ToggleIgnoreLine(job_, editor_); }); });
    connect(cmdThin, &QPushButton::clicked, this,
            [this] { Run([this] { ThinData(job_, editor_, prompter_, CurrentThinSettings()); }, true); });
    connect(cmdNormalizeLine, &QPushButton::clicked, this,
            [this] { Run([this] { NormalizeLineCommand(job_, editor_, prompter_); }); });
    connect(cmdMergeLines, &QPushButton::clicked, this,
            [this] { Run([this] { MergeLines(job_, editor_, prompter_); }); });
    connect(cmdDeleteOverlap, &QPushButton::clicked, this, [this] {
        Run([this] {
            bool fromAll = chkFromAllLines_->isChecked();
            DeleteOverlapCommand(job_, editor_, fromAll);
            chkFromAllLines_->setChecked(fromAll);
        });
    });
    connect(cmdGenData, &QPushButton::clicked, this,
            [this] { Run([this] { GenSounderData(job_, editor_, prompter_); }); });
    connect(cmdNormalizePoint, &QPushButton::clicked, this,
            [this] { Run([this] { NormalizeShotsCommand(job_, editor_, prompter_); }); });
    connect(cmdDeleteShot_, &QPushButton::clicked, this, [this] {
        Run([this] { DeleteShot(job_, editor_); });
        cmdDeleteShot_->setEnabled(false);
    });
    connect(cmdIgnoreShot, &QPushButton::clicked, this, [this] { Run([this] { ToggleIgnoreShot(job_, editor_); }); });
    connect(cmdInterpolateElev_, &QPushButton::clicked, this, &EditActions::RunInterpolate);
    connect(cmdUndo_, &QPushButton::clicked, this, [this] { Run([this] { Undo(job_, editor_); }); });
}

void EditActions::BuildTemplateControls() {
    auto* box = new QGroupBox("Template", window_.ControlsFrame());
    box->setObjectName("fraTemplate");
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(3);
    txtTemplateFileName_ = new QLineEdit(box);
    txtTemplateFileName_->setObjectName("txtTemplateFileName");
    txtTemplateFileName_->setAccessibleName("Template file");
    txtTemplateFileName_->setToolTip("Template file drawn over the profile");
    txtTemplateFileName_->setMinimumWidth(txtTemplateFileName_->fontMetrics().horizontalAdvance("0") * 24);
    auto* cmdSelect = AddButton("cmdSelectTemplateFile", "Select Template File", nullptr);
    cmdSelect->setParent(box);
    layout->addWidget(txtTemplateFileName_);
    layout->addWidget(cmdSelect);
    window_.AddControlGroup(box);
    // Validated when editing is finished, so a half-typed path says nothing.
    connect(txtTemplateFileName_, &QLineEdit::editingFinished, this, [this] {
        if (fillingTemplateBox_) return;
        const std::string text = txtTemplateFileName_->text().toStdString();
        if (text == template_.FileName()) return;
        template_.SetFileName(text, prompter_, window_.Plots().Options());
        Refresh();
        window_.RedrawJob();
    });
    connect(cmdSelect, &QPushButton::clicked, this, [this] {
        if (template_.SelectFile(prompter_, settings_, window_.Plots().Options())) window_.RedrawJob();
        Refresh();
    });
}

void EditActions::BuildMenus() {
    auto* edit = window_.menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    mnuUndo_ = edit->addAction("&Undo", cmdUndo_, &QPushButton::click);
    mnuUndo_->setObjectName("mnuUndo");
    mnuUndo_->setShortcut(QKeySequence::Undo);
    edit->addSeparator();
    auto* copy = edit->addAction("&Copy Between Cursors", this, [this] {
        Run([this] { CopyBetweenCursors(job_, editor_, prompter_, window_.Plots()); });
    });
    copy->setObjectName("mnuCopy");
    auto* view = edit->addAction("Copied &Data View", this,
                                 [this] { Run([this] { ToggleCopiedDataView(editor_, &window_.Plots()); }); });
    view->setObjectName("mnuCopiedDataView");
    auto* overlay = edit->addAction("&Overlay", this, [this] { Run([this] { Overlay(job_, editor_, prompter_); }); });
    overlay->setObjectName("mnuOverlay");

    auto* actions = window_.menuBar()->addMenu("&Actions");
    actions->setObjectName("mnuActions");
    const auto forward = [&](const char* name, const char* text, const char* button) {
        auto* target = window_.findChild<QPushButton*>(button);
        auto* action = actions->addAction(text, target, &QPushButton::click);
        action->setObjectName(name);
        return action;
    };
    forward("mnuDeleteLines", "&Delete Lines...", "cmdDeleteLines");
    forward("mnuIgnoreLine", "Toggle &Ignore Line", "cmdIgnoreLine");
    forward("mnuThin", "&Thin Data", "cmdThin");
    forward("mnuNormalizeLine", "&Normalize Line", "cmdNormalizeLine");
    forward("mnuMergeLines", "&Merge Lines", "cmdMergeLines");
    forward("mnuDeleteOverlap", "Delete &Overlap", "cmdDeleteOverlap");
    forward("mnuGenData", "&Gen Sounder Data", "cmdGenData");
    actions->addSeparator();
    forward("mnuNormalizePoint", "Normalize &Shots", "cmdNormalizePoint");
    forward("mnuIgnoreShot", "Toggle Ignore S&hot", "cmdIgnoreShot");
    // The menu runs the handler even while the button is disabled on the first
    // or last row, so the user learns why nothing can be interpolated there.
    auto* interpolate = actions->addAction("Interpo&late", this, &EditActions::RunInterpolate);
    interpolate->setObjectName("mnuInterpolate");
    actions->addSeparator();
    auto* resetLine = actions->addAction("&Reset Ignore to NO - this line only", this,
                                         [this] { Run([this] { ResetIgnoreLine(job_, editor_); }); });
    resetLine->setObjectName("mnuIgnoreNo_Line");
    auto* resetAll = actions->addAction("Reset Ignore to NO - &ALL Lines", this, [this] {
        Run([this] { ResetIgnoreAllLines(job_, editor_, prompter_); }, true);
    });
    resetAll->setObjectName("mnuIgnoreNo_AllLines");
}

// The View menu's switch asks about unsaved chart edits and must keep the
// template box's rules, so the template overlay handles it.
void EditActions::TakeOverShowTemplate() {
    mnuShowTemplate_ = window_.findChild<QAction*>("mnuShowTemplate");
    if (!mnuShowTemplate_) return;
    disconnect(mnuShowTemplate_, &QAction::triggered, &window_, nullptr);
    connect(mnuShowTemplate_, &QAction::triggered, this, [this] {
        template_.ToggleShow(window_.Plots(), settings_, prompter_);
        window_.SyncFromCore();
        Refresh();
    });
}

void EditActions::WatchChartAndBoxes() {
    if (auto* chart = window_.Chart(PlotId::Elevation)) chart->installEventFilter(this);
    for (const char* name : {"txtSPEasting", "txtSPNorthing", "txtSPAngle"})
        if (auto* box = window_.findChild<QLineEdit*>(name)) box->installEventFilter(this);
}

bool EditActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLineEdit*>(watched)) {
        RefuseStartingPointEdit(prompter_);
        return true;
    }
    auto* chart = qobject_cast<ChartView*>(watched);
    if (!chart) return false;
    if (event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton) || (mouse->modifiers() & Qt::ShiftModifier)) return false;
        const double x = chart->xAxis->pixelToCoord(mouse->position().x());
        const double y = chart->yAxis->pixelToCoord(mouse->position().y());
        if (!DragCopiedCurve(editor_, x, y, &window_.Plots())) return false;
        chart->Flush();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        if (!ReleaseCopiedCurve(job_, editor_, prompter_, &window_.Plots())) {
            // A click on the profile after a Copy puts its cursors back on, the
            // active one where the click was.
            chart->Model().SetCursorsOn(true);
            return false;
        }
        window_.SyncFromCore();
        return true;
    }
    return false;
}

void EditActions::RunInterpolate() {
    Run([this] { InterpolateElevation(job_, editor_, prompter_); });
}

void EditActions::Run(const std::function<void()>& command, bool busy) {
    if (busy) {
        const BusyCursorGuard guard;
        command();
    } else {
        command();
    }
    AfterCommand();
}

void EditActions::AfterCommand() {
    window_.SyncFromCore();
    Refresh();
    if (window_.isVisible()) window_.GridView()->setFocus(Qt::OtherFocusReason);
}

void EditActions::Refresh() {
    const bool undo = editor_.State().UndoEnabled;
    cmdUndo_->setEnabled(undo);
    mnuUndo_->setEnabled(undo);
    const QString name = QString::fromStdString(template_.FileName());
    if (txtTemplateFileName_->text() != name) {
        fillingTemplateBox_ = true;
        txtTemplateFileName_->setText(name);
        fillingTemplateBox_ = false;
    }
    if (mnuShowTemplate_) mnuShowTemplate_->setChecked(window_.Plots().Options().ShowTemplate);
}

// The main window holds the thinning choices; the editor reads them when the
// command runs so a change there needs no message between the windows.
ThinSettings EditActions::CurrentThinSettings() const {
    if (thinSource_) return thinSource_();
    ThinSettings settings{"None", ""};
    for (auto* top : QApplication::topLevelWidgets()) {
        auto* method = top->findChild<QComboBox*>("cboThinMethod");
        auto* increment = top->findChild<QLineEdit*>("txtThinInc");
        if (!method || !increment) continue;
        settings.Method = method->currentText().toStdString();
        settings.Increment = increment->text().toStdString();
        break;
    }
    return settings;
}

} // namespace tolvanor::ui
