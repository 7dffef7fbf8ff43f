// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/DataEditWindow.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/LineDataColumns.h"
#include "grid/GridModel.h"
#include "ui/editor/ChartView.h"
#include "ui/editor/EditActions.h"
#include "ui/editor/EditorWindowHooks.h"
#include "ui/editor/LineDataTableModel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace tolvanor::ui {

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DataEditWindow::DataEditWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings,
                               QWidget* parent)
    : QMainWindow(parent), job_(job), editor_(editor), prompter_(prompter), settings_(settings),
      plots_(std::make_unique<EditorPlots>(job, editor, prompter)),
      outputHooks_(std::make_unique<EditorWindowHooks>(*this)) {
    setObjectName("frmDataEdit");
    setWindowTitle(QString::fromStdString(editor_.State().Caption));
    plots_->Options() = ReadPlotOptions(settings_);
    plots_->ApplyOptions();
    editor_.SetPlotSink(plots_.get());
    auto* central = new QWidget(this);
    central->setObjectName("editorClient");
    setCentralWidget(central);
    BuildProfileFrame(central);
    BuildGrid(central);
    BuildControls(central);
    BuildCharts(central);
    BuildMenus();
    new EditActions(*this, job, editor, prompter, settings);
    resize(ToPixels(MinimumEditorWidth), ToPixels(10000));
    SyncFromCore();
}

DataEditWindow::~DataEditWindow() {
    // The charts watch the plots' models, which go with this object's
    // members, before Qt deletes the child widgets.
    for (auto*& chart : charts_) {
        delete chart;
        chart = nullptr;
    }
    editor_.SetPlotSink(nullptr);
}

int DataEditWindow::ToPixels(int twips) const {
    return twips * logicalDpiX() / 1440;
}

int DataEditWindow::ToTwips(int pixels) const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? pixels * 1440 / dpi : pixels * 15;
}

void DataEditWindow::BuildProfileFrame(QWidget* central) {
    fraProfileLines_ = new QFrame(central);
    fraProfileLines_->setObjectName("fraProfileLines");
    auto* layout = new QGridLayout(fraProfileLines_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* lblActive = new QLabel("Active &Profile", fraProfileLines_);
    cboProfileList_ = new QComboBox(fraProfileLines_);
    cboProfileList_->setObjectName("cboProfileList");
    cboProfileList_->setToolTip("List of Profile Lines in this data set");
    cboProfileList_->setAccessibleName("Active Profile");
    cboProfileList_->setMinimumContentsLength(10);
    lblActive->setBuddy(cboProfileList_);
    auto* lblAdditional = new QLabel("&Additional Plots", fraProfileLines_);
    lstPlotLines_ = new QListWidget(fraProfileLines_);
    lstPlotLines_->setObjectName("lstPlotLines");
    lstPlotLines_->setAccessibleName("Additional Plots");
    lstPlotLines_->setToolTip("Lines drawn on the charts besides the active profile");
    lstPlotLines_->setSelectionMode(QAbstractItemView::MultiSelection);
    lstPlotLines_->setFlow(QListView::LeftToRight);
    lstPlotLines_->setWrapping(true);
    lstPlotLines_->setGridSize(QSize(fontMetrics().horizontalAdvance("00000000"), fontMetrics().height() + 4));
    lstPlotLines_->setFixedHeight(fontMetrics().height() * 3 + 10);
    lblAdditional->setBuddy(lstPlotLines_);
    layout->addWidget(lblActive, 0, 0);
    layout->addWidget(cboProfileList_, 1, 0, Qt::AlignTop);
    layout->addWidget(lblAdditional, 0, 1);
    layout->addWidget(lstPlotLines_, 1, 1);
    layout->setColumnStretch(1, 1);
    // The two diagnostic buttons sit at the end of this band, out of the way.
    auto* diagnostics = new QVBoxLayout;
    auto* meSize = new QPushButton("Me. Size", fraProfileLines_);
    meSize->setObjectName("Command1");
    auto* virtualSize = new QPushButton("Virtual Size", fraProfileLines_);
    virtualSize->setObjectName("cmdVirtualSize");
    for (auto* button : {meSize, virtualSize}) {
        button->setAccessibleName(button->text());
        button->setFocusPolicy(Qt::TabFocus);
        diagnostics->addWidget(button);
    }
    connect(meSize, &QPushButton::clicked, this, &DataEditWindow::ShowWindowSize);
    connect(virtualSize, &QPushButton::clicked, this, &DataEditWindow::ShowVirtualSize);
    layout->addLayout(diagnostics, 0, 2, 2, 1, Qt::AlignTop);
    connect(cboProfileList_, &QComboBox::activated, this, [this](int index) {
        editor_.SelectProfile(index);
        SyncFromCore();
    });
    connect(lstPlotLines_, &QListWidget::itemSelectionChanged, this, [this] {
        const auto& entries = editor_.PlotLines();
        for (int i = 0; i < lstPlotLines_->count() && i < static_cast<int>(entries.size()); ++i) {
            const bool selected = lstPlotLines_->item(i)->isSelected();
            if (selected != entries[static_cast<std::size_t>(i)].Selected) editor_.SetPlotLineSelected(i, selected);
        }
        SyncFromCore();
    });
}

void DataEditWindow::BuildGrid(QWidget* central) {
    lblLineIgnored_ = new QLabel("LINE IGNORED", central);
    lblLineIgnored_->setObjectName("lblLineIgnored");
    lblLineIgnored_->setAlignment(Qt::AlignCenter);
    QFont big = lblLineIgnored_->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    lblLineIgnored_->setFont(big);
    grid_ = new QTableView(central);
    grid_->setObjectName("fxgLineData");
    grid_->setAccessibleName("Line data");
    gridModel_ = new LineDataTableModel(editor_.Grid(), this);
    grid_->setModel(gridModel_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    SizeGridColumns();
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataEditWindow::OnViewSelectionChanged);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataEditWindow::OnViewSelectionChanged);
    connect(gridModel_, &LineDataTableModel::CurrentCellChanged, this, &DataEditWindow::SyncGridSelection);
    connect(gridModel_, &LineDataTableModel::Scrolled, this, &DataEditWindow::SyncGridScroll);
    connect(gridModel_, &QAbstractItemModel::modelReset, this, &DataEditWindow::SizeGridColumns);
}

// The widths are given in twips for the grid's own small font; in a larger
// font a column grows just enough for its title and its widest usual text.
void DataEditWindow::SizeGridColumns() {
    static const char* const Widest[LineDataColumn::Count] = {
        " 000000", "0000000.0000", "0000000.0000", "-0000.0", "-000.0", "00.00", "-0.00", "-0.0", "",
        "W",       "Yes",          "-0.00",        "-0.00"};
    const auto& metrics = grid_->fontMetrics();
    const auto& header = grid_->horizontalHeader()->fontMetrics();
    for (int col = 0; col < LineDataColumn::Count; ++col) {
        const int title = header.horizontalAdvance(QString::fromLatin1(LineDataTitle(col))) + 10;
        const int text = metrics.horizontalAdvance(QString::fromLatin1(Widest[col])) + 8;
        grid_->setColumnWidth(col, std::max({ToPixels(LineDataWidth(col)), title, text}));
    }
}

int DataEditWindow::GridPixelWidth() const {
    int width = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < LineDataColumn::Count; ++col) width += grid_->columnWidth(col);
    return width;
}

void DataEditWindow::SyncFromCore() {
    const auto& state = editor_.State();
    setWindowTitle(QString::fromStdString(state.Caption));
    SyncLists();
    gridModel_->Flush();
    grid_->setVisible(state.GridVisible);
    lblLineIgnored_->setVisible(!state.GridVisible);
    SyncStartingPoint();
    cmdUpdatePlots_->setVisible(state.UpdatePlotsVisible);
    cmdPlotToGrid_->setVisible(plots_->PlotToGridVisible());
    FlushCharts();
}

void DataEditWindow::SyncLists() {
    const auto& profiles = editor_.ProfileList();
    if (profiles != shownProfiles_) {
        shownProfiles_ = profiles;
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(profiles.size()));
        for (const auto& text : profiles) texts.push_back(Text(text));
        const QSignalBlocker blockCombo(cboProfileList_);
        const QSignalBlocker blockList(lstPlotLines_);
        cboProfileList_->clear();
        cboProfileList_->addItems(texts);
        lstPlotLines_->clear();
        QStringList plotTexts;
        for (const auto& entry : editor_.PlotLines()) plotTexts.push_back(Text(entry.Text));
        lstPlotLines_->addItems(plotTexts);
    }
    {
        const QSignalBlocker blockCombo(cboProfileList_);
        cboProfileList_->setCurrentIndex(editor_.ProfileIndex());
    }
    const QSignalBlocker blockList(lstPlotLines_);
    const auto& entries = editor_.PlotLines();
    for (int i = 0; i < lstPlotLines_->count() && i < static_cast<int>(entries.size()); ++i) {
        auto* item = lstPlotLines_->item(i);
        if (item->isSelected() != entries[static_cast<std::size_t>(i)].Selected)
            item->setSelected(entries[static_cast<std::size_t>(i)].Selected);
    }
}

void DataEditWindow::SyncStartingPoint() {
    const auto& display = editor_.State().StartingPoint;
    lblStartingPoint_->setText(QString::fromStdString(display.Caption));
    lblStartingPoint_->setToolTip(QString::fromStdString(display.ToolTip));
    QPalette palette = lblStartingPoint_->palette();
    palette.setColor(QPalette::Window, display.Loaded ? this->palette().color(QPalette::Window) : QColor(255, 0, 0));
    lblStartingPoint_->setPalette(palette);
    txtSPEasting_->setText(QString::fromStdString(display.Easting));
    txtSPNorthing_->setText(QString::fromStdString(display.Northing));
    txtSPAngle_->setText(QString::fromStdString(display.Angle));
}

void DataEditWindow::OnViewSelectionChanged() {
    if (syncingGrid_) return;
    auto* selection = grid_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (!current.isValid()) return;
    // The grid's current cell is the selection's anchor, its selection end the
    // cell the user moved to.
    int anchorRow = current.row();
    int anchorCol = current.column();
    const auto ranges = selection->selection();
    for (const auto& range : ranges) {
        if (!range.contains(current)) continue;
        anchorRow = current.row() == range.top() ? range.bottom() : range.top();
        anchorCol = current.column() == range.left() ? range.right() : range.left();
        break;
    }
    auto& grid = editor_.Grid();
    syncingGrid_ = true;
    grid.SetRow(anchorRow + 1);
    grid.SetCol(anchorCol);
    grid.SetRowSel(current.row() + 1);
    grid.SetColSel(current.column());
    syncingGrid_ = false;
    if (job_.LoadingCount > 0 || !grid_->hasFocus()) return;
    plots_->GridSelectionToCursors();
    FlushCharts();
}

void DataEditWindow::SyncGridSelection() {
    if (syncingGrid_) return;
    const auto& grid = editor_.Grid();
    if (grid.Rows() <= 1) return;
    syncingGrid_ = true;
    const auto anchor = gridModel_->index(grid.Row() - 1, grid.Col());
    const auto end = gridModel_->index(grid.RowSel() - 1, grid.ColSel());
    auto* selection = grid_->selectionModel();
    selection->setCurrentIndex(end, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(anchor, end), QItemSelectionModel::ClearAndSelect);
    syncingGrid_ = false;
}

void DataEditWindow::SyncGridScroll() {
    const auto& grid = editor_.Grid();
    if (grid.Rows() <= 1) return;
    grid_->scrollTo(gridModel_->index(std::max(grid.TopRow(), 1) - 1, 0), QAbstractItemView::PositionAtTop);
    // Column 0 is the grid's fixed column: the first scrollable column at the
    // left means no sideways scroll, so a narrow grid keeps "Sequence #" in view.
    const int left = std::max(grid.LeftCol(), 1) - 1;
    grid_->horizontalScrollBar()->setValue(left == 0 ? 0 : grid_->horizontalHeader()->sectionPosition(left));
}

void DataEditWindow::NextLine() {
    editor_.NextLine();
    SyncFromCore();
}

void DataEditWindow::PreviousLine() {
    editor_.PreviousLine();
    SyncFromCore();
}

void DataEditWindow::UpdatePlots() {
    editor_.PlotData(job_.CurrentLine);
    SyncFromCore();
}

void DataEditWindow::UpdateGrid() {
    plots_->PlotToGrid();
    SyncFromCore();
}

void DataEditWindow::ClearJob() {
    plots_->Clear();
    SyncFromCore();
}

void DataEditWindow::RedrawJob() {
    if (job_.LineCount > 0 && job_.CurrentLine > 0) editor_.PlotData(job_.CurrentLine);
    SyncFromCore();
}

void DataEditWindow::ShowEditor() {
    if (!firstShow_) {
        SyncFromCore();
        if (isMinimized()) {
            showNormal();
        } else {
            show();
        }
        raise();
        activateWindow();
        return;
    }
    firstShow_ = false;
    const auto placed = KeepWindowUsable({ToTwips(x()), ToTwips(y()), ToTwips(width()), ToTwips(height())});
    setGeometry(ToPixels(placed.Left), ToPixels(placed.Top), ToPixels(placed.Width), ToPixels(placed.Height));
    SyncFromCore();
    switch (ReadWindowState(settings_)) {
    case EditorWindowMode::Normal:
        showNormal();
        break;
    case EditorWindowMode::Minimized:
        showMinimized();
        break;
    case EditorWindowMode::Maximized:
        showMaximized();
        break;
    }
    ApplyLayout();
}

} // namespace tolvanor::ui
