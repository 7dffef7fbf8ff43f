// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/AnalysisWindow.h"

#include "analysis/AnalyseJob.h"
#include "analysis/AnalysisInputs.h"
#include "analysis/AnalysisTable.h"
#include "analysis/WriteAnalysisCSV.h"
#include "core/Job.h"
#include "core/Prompter.h"
#include "core/SettingsStore.h"
#include "editor/DataEditor.h"
#include "ui/analysis/AnalysisCharts.h"
#include "ui/analysis/AnalysisTableModel.h"
#include "ui/common/BusyCursorGuard.h"
#include "ui/common/QtText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <set>

namespace tolvanor::ui {

namespace {

constexpr const char* DatumKey = "AnalysisDatum";
constexpr const char* LimitFromKey = "AnalysisLimitFrom";
constexpr const char* LimitToKey = "AnalysisLimitTo";
constexpr const char* ContoursKey = "AnalysisContours";
constexpr const char* TemplateKey = "AnalysisTemplateFile";

constexpr const char* MissingTemplateMessage =
    "This Template file does not exist, please select a valid template file.";

std::string BoxText(const QLineEdit* box) {
    return TextFromQt(box->text());
}

// The current line's figures in one sentence, numbers as the table writes them.
QString FiguresText(const LineFigures& line) {
    QString text = QStringLiteral("<b>Profile %1</b>: ").arg(TextToQt(line.Profile).toHtmlEscaped());
    switch (line.State) {
    case LineState::Ignored:
        return text + QStringLiteral("the line is ignored.");
    case LineState::NoStartingPoint:
        return text + QStringLiteral("no starting point, so no distances down range.");
    case LineState::TooFewShots:
    case LineState::Analysed:
        break;
    }
    if (line.ShotsUsed == 0) return text + QStringLiteral("no shots.");
    const auto length = [](double value) { return TextToQt(LengthText(value)); };
    text += QStringLiteral("%1 shots, distance %2 to %3, elevation %4 to %5, area above datum %6")
                .arg(line.ShotsUsed)
                .arg(length(line.MinDistance), length(line.MaxDistance), length(line.MinElevation),
                     length(line.MaxElevation), TextToQt(AreaText(line.AreaAboveDatum)));
    for (const ContourCrossings& contour : line.Contours) {
        text += QStringLiteral("; contour %1 ").arg(QString::number(contour.Elevation));
        if (contour.Count == 0) {
            text += QStringLiteral("not reached");
        } else if (contour.First == contour.Last) {
            text += QStringLiteral("at %1 (%2)").arg(length(contour.First)).arg(contour.Count);
        } else {
            text += QStringLiteral("from %1 to %2 (%3)")
                        .arg(length(contour.First), length(contour.Last))
                        .arg(contour.Count);
        }
    }
    if (line.HasTemplate) {
        text += QStringLiteral("; above template %1, below %2")
                    .arg(TextToQt(AreaText(line.Template.Above)), TextToQt(AreaText(line.Template.Below)));
    }
    return text + QLatin1Char('.');
}

QString PlainCaption(QString caption) {
    return caption.remove(QLatin1Char('&')).remove(QLatin1Char(':'));
}

} // namespace

AnalysisWindow::AnalysisWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings,
                               QWidget* parent)
    : QMainWindow(parent), job_(job), editor_(editor), prompter_(prompter), settings_(settings) {
    setObjectName(QStringLiteral("frmAnalysis"));
    setWindowTitle(QStringLiteral("Analysis"));
    auto* central = new QWidget(this);
    new QVBoxLayout(central);
    BuildInputs(central);
    BuildViews(central);
    BuildButtons(central);
    setCentralWidget(central);
    BuildMenus();
    RestoreSettings();
    resize(1180, 760);
}

AnalysisWindow::~AnalysisWindow() = default;

QLineEdit* AnalysisWindow::AddBox(const char* name, const QString& label, const QString& tip, int row, int column,
                                  int span) {
    auto* grid = static_cast<QGridLayout*>(findChild<QGroupBox*>(QStringLiteral("fraAnalysisSettings"))->layout());
    auto* caption = new QLabel(label);
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tip);
    box->setAccessibleName(PlainCaption(label));
    caption->setBuddy(box);
    grid->addWidget(caption, row, column);
    grid->addWidget(box, row, column + 1, 1, span);
    connect(box, &QLineEdit::returnPressed, this, &AnalysisWindow::Analyse);
    return box;
}

void AnalysisWindow::BuildInputs(QWidget* central) {
    auto* frame = new QGroupBox(QStringLiteral("Settings"), central);
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    frame->setObjectName(QStringLiteral("fraAnalysisSettings"));
    auto* grid = new QGridLayout(frame);
    central->layout()->addWidget(frame);
    txtDatum_ = AddBox("txtDatum", QStringLiteral("&Datum:"), QStringLiteral("Elevation the areas are measured above"),
                       0, 0, 1);
    txtLimitFrom_ = AddBox("txtLimitFrom", QStringLiteral("Limits &from:"),
                           QStringLiteral("Distance the areas start at; empty for the start of each profile"), 0, 2, 1);
    txtLimitTo_ = AddBox("txtLimitTo", QStringLiteral("&to:"),
                         QStringLiteral("Distance the areas end at; empty for the end of each profile"), 0, 4, 1);
    txtContours_ = AddBox("txtContours", QStringLiteral("&Contours:"),
                          QStringLiteral("Elevations whose positions are found, separated by commas"), 1, 0, 1);
    txtTemplateFile_ = AddBox("txtAnalysisTemplate", QStringLiteral("T&emplate file:"),
                              QStringLiteral("Design profiles (.tvt) to compare with; empty for none"), 1, 2, 3);
    cmdSelectTemplate_ = new QPushButton(QStringLiteral("&Select..."), frame);
    cmdSelectTemplate_->setObjectName(QStringLiteral("cmdSelectAnalysisTemplate"));
    cmdSelectTemplate_->setToolTip(QStringLiteral("Choose the template file"));
    cmdSelectTemplate_->setAccessibleName(QStringLiteral("Select template file"));
    grid->addWidget(cmdSelectTemplate_, 1, 6);
    cmdAnalyse_ = new QPushButton(QStringLiteral("&Analyse"), frame);
    cmdAnalyse_->setObjectName(QStringLiteral("cmdAnalyse"));
    cmdAnalyse_->setToolTip(QStringLiteral("Work out the figures of every line"));
    cmdAnalyse_->setAccessibleName(QStringLiteral("Analyse"));
    grid->addWidget(cmdAnalyse_, 0, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    connect(cmdSelectTemplate_, &QPushButton::clicked, this, &AnalysisWindow::SelectTemplateFile);
    connect(cmdAnalyse_, &QPushButton::clicked, this, &AnalysisWindow::Analyse);
}

void AnalysisWindow::BuildViews(QWidget* central) {
    auto* splitter = new QSplitter(Qt::Horizontal, central);
    tblAnalysis_ = new QTableView(splitter);
    tblAnalysis_->setObjectName(QStringLiteral("tblAnalysis"));
    tblAnalysis_->setAccessibleName(QStringLiteral("Figures of every line"));
    model_ = new AnalysisTableModel(this);
    proxy_ = new AnalysisSortProxy(this);
    proxy_->setSourceModel(model_);
    tblAnalysis_->setModel(proxy_);
    tblAnalysis_->setSortingEnabled(true);
    tblAnalysis_->sortByColumn(-1, Qt::AscendingOrder); // profile-list order until a heading is clicked
    tblAnalysis_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblAnalysis_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblAnalysis_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(tblAnalysis_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &AnalysisWindow::OnRowChosen);
    // The view's own Ctrl+C copies one cell; here it copies rows.
    tblAnalysis_->installEventFilter(this);

    auto* charts = new QWidget(splitter);
    charts->setObjectName(QStringLiteral("fraAnalysisCharts"));
    auto* column = new QVBoxLayout(charts);
    column->setContentsMargins(0, 0, 0, 0);
    pltAreaAlongShore_ = new QCustomPlot(charts);
    pltAreaAlongShore_->setObjectName(QStringLiteral("pltAreaAlongShore"));
    pltAreaAlongShore_->setAccessibleName(QStringLiteral("Area above datum along the shore"));
    SetUpAreaChart(*pltAreaAlongShore_);
    pltProfile_ = new QCustomPlot(charts);
    pltProfile_->setObjectName(QStringLiteral("pltAnalysisProfile"));
    pltProfile_->setAccessibleName(QStringLiteral("Current line's profile"));
    SetUpProfileChart(*pltProfile_);
    lblCurrentLine_ = new QLabel(central);
    lblCurrentLine_->setObjectName(QStringLiteral("lblCurrentLine"));
    lblCurrentLine_->setWordWrap(true);
    lblCurrentLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(pltAreaAlongShore_, 1);
    column->addWidget(pltProfile_, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({600, 560});
    auto* layout = static_cast<QVBoxLayout*>(central->layout());
    layout->addWidget(splitter, 1);
    layout->addWidget(lblCurrentLine_);
}

void AnalysisWindow::BuildButtons(QWidget* central) {
    auto* row = new QHBoxLayout;
    lblReach_ = new QLabel(central);
    lblReach_->setObjectName(QStringLiteral("lblReach"));
    lblReach_->setWordWrap(true);
    row->addWidget(lblReach_, 1);
    const auto add = [&](const char* name, const QString& caption, const QString& tip, auto slot) {
        auto* button = new QPushButton(caption, central);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        button->setAccessibleName(PlainCaption(caption).remove(QStringLiteral("...")));
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
    };
    add("cmdCopyTable", QStringLiteral("C&opy"),
        QStringLiteral("Copy the selected rows (or all) as tab-separated text"), &AnalysisWindow::CopyTable);
    add("cmdExportCSV", QStringLiteral("Export CS&V..."), QStringLiteral("Write the analysis file"),
        &AnalysisWindow::ExportCsv);
    add("cmdExportPNG", QStringLiteral("Export &PNG..."), QStringLiteral("Save the two charts as a picture"),
        &AnalysisWindow::ExportPng);
    add("cmdCloseAnalysis", QStringLiteral("C&lose"), QStringLiteral("Close the window"), &QWidget::close);
    static_cast<QVBoxLayout*>(central->layout())->addLayout(row);
}

void AnalysisWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Analyse"), QKeySequence(Qt::Key_F5), this, &AnalysisWindow::Analyse);
    file->addAction(QStringLiteral("Export CS&V..."), this, &AnalysisWindow::ExportCsv);
    file->addAction(QStringLiteral("Export &PNG..."), this, &AnalysisWindow::ExportPng);
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* copy = edit->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this, &AnalysisWindow::CopyTable);
    copy->setObjectName(QStringLiteral("mnuCopyAnalysis"));
}

void AnalysisWindow::RestoreSettings() {
    txtDatum_->setText(TextToQt(settings_.Get(DatumKey, "0")));
    txtLimitFrom_->setText(TextToQt(settings_.Get(LimitFromKey)));
    txtLimitTo_->setText(TextToQt(settings_.Get(LimitToKey)));
    txtContours_->setText(TextToQt(settings_.Get(ContoursKey)));
    txtTemplateFile_->setText(PathToQt(settings_.Get(TemplateKey)));
}

void AnalysisWindow::SaveSettings() {
    settings_.Save(DatumKey, BoxText(txtDatum_));
    settings_.Save(LimitFromKey, BoxText(txtLimitFrom_));
    settings_.Save(LimitToKey, BoxText(txtLimitTo_));
    settings_.Save(ContoursKey, BoxText(txtContours_));
    settings_.Save(TemplateKey, PathFromQt(txtTemplateFile_->text()));
}

void AnalysisWindow::SelectTemplateFile() {
    const std::string path = prompter_.OpenFile(
        {"Select Template File", "Template Files (*.tvt)|*.tvt|", "tvt", PathFromQt(txtTemplateFile_->text())});
    if (!path.empty()) txtTemplateFile_->setText(PathToQt(path));
}

bool AnalysisWindow::Analyse() {
    const AnalysisInputs inputs{BoxText(txtDatum_), BoxText(txtLimitFrom_), BoxText(txtLimitTo_), BoxText(txtContours_),
                                PathFromQt(txtTemplateFile_->text())};
    ParsedAnalysisInputs parsed = ParseAnalysisInputs(inputs);
    if (!parsed.Ok) {
        prompter_.Message(parsed.Message);
        return false;
    }
    BusyCursorGuard busy;
    templates_ = ProfileTemplates();
    if (!inputs.TemplateFile.empty()) {
        if (!templates_.Read(inputs.TemplateFile, editor_.Options().FormatProfileNumbers)) {
            prompter_.Message(MissingTemplateMessage);
            return false;
        }
        parsed.Options.Templates = &templates_;
    }
    SaveSettings();
    options_ = std::move(parsed.Options);
    result_ = AnalyseJob(job_, options_);
    model_->SetTable(MakeAnalysisTable(result_, options_));
    tblAnalysis_->resizeColumnsToContents();
    ShowReach();
    FollowEditor();
    return true;
}

void AnalysisWindow::FollowEditor() {
    if (result_.Lines.empty()) return;
    const std::int32_t line = editor_.FindLineByProfileId(editor_.ProfileText());
    for (std::size_t i = 0; i < result_.Lines.size(); ++i) {
        if (result_.Lines[i].Line != line) continue;
        showing_ = true;
        tblAnalysis_->selectRow(proxy_->mapFromSource(model_->index(static_cast<int>(i), 0)).row());
        showing_ = false;
        ShowLine(i);
        return;
    }
    ShowLine(0);
}

void AnalysisWindow::OnRowChosen() {
    const QModelIndex index = proxy_->mapToSource(tblAnalysis_->currentIndex());
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= result_.Lines.size()) return;
    ShowLine(static_cast<std::size_t>(index.row()));
    if (showing_) return;
    const auto& list = editor_.ProfileList();
    const std::string& name = result_.Lines[current_].Profile;
    for (std::size_t entry = 0; entry < list.size(); ++entry) {
        if (list[entry] != name) continue;
        editor_.SelectProfile(static_cast<int>(entry));
        emit ProfileChosen(static_cast<int>(entry));
        return;
    }
}

void AnalysisWindow::ShowLine(std::size_t index) {
    if (index >= result_.Lines.size()) return;
    current_ = index;
    const LineFigures& figures = result_.Lines[index];
    profile_.clear();
    if (figures.State == LineState::Analysed || figures.State == LineState::TooFewShots)
        ExtractProfile(job_, figures.Line, profile_);
    const auto* design = options_.Templates != nullptr ? templates_.Find(figures.Profile) : nullptr;
    DrawProfileFigures(*pltProfile_, profile_, design, figures, options_);
    DrawAreaAlongShore(*pltAreaAlongShore_, result_, index);
    lblCurrentLine_->setText(FiguresText(figures));
}

void AnalysisWindow::ShowReach() {
    QString text = QStringLiteral("Reach total: %1 (%2 pairs of neighbouring lines)")
                       .arg(TextToQt(AreaText(result_.ReachTotal)))
                       .arg(result_.Reaches.size());
    if (!result_.Breaks.empty()) {
        QStringList names;
        for (const std::size_t index : result_.Breaks) names << TextToQt(result_.Lines[index].Profile);
        text += QStringLiteral(".  The chain breaks at ") + names.join(QStringLiteral(", ")) +
                QStringLiteral(" (no starting point or fewer than two shots).");
    }
    lblReach_->setText(text);
}

void AnalysisWindow::CopyTable() {
    const AnalysisTable& table = model_->Table();
    std::set<int> chosen;
    for (const QModelIndex& index : tblAnalysis_->selectionModel()->selectedRows()) chosen.insert(index.row());
    AnalysisTable shown{table.Headings, {}};
    for (int row = 0; row < proxy_->rowCount(); ++row) { // in the order the view shows them
        if (!chosen.empty() && !chosen.contains(row)) continue;
        shown.Rows.push_back(table.Rows[static_cast<std::size_t>(proxy_->mapToSource(proxy_->index(row, 0)).row())]);
    }
    QApplication::clipboard()->setText(TextToQt(AnalysisTableText(shown, '\t', "\n")));
}

void AnalysisWindow::ExportCsv() {
    if (result_.Lines.empty() && !Analyse()) return;
    const std::string path = prompter_.SaveFile({"Export Analysis", "CSV Files (*.csv)|*.csv|", "csv", {}});
    if (path.empty()) return;
    const AnalysisWriteResult written = WriteAnalysisCSV(path, result_, options_);
    if (!written.Written) prompter_.Message("Unable to write output file " + path + "\r\n" + written.Reason);
}

void AnalysisWindow::ExportPng() {
    if (result_.Lines.empty() && !Analyse()) return;
    const std::string path = prompter_.SaveFile({"Export Charts", "PNG Images (*.png)|*.png|", "png", {}});
    if (path.empty()) return;
    auto* charts = findChild<QWidget*>(QStringLiteral("fraAnalysisCharts"));
    if (!charts->grab().save(PathToQt(path), "PNG")) prompter_.Message("Unable to write output file " + path);
}

bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tblAnalysis_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyTable();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void AnalysisWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back from the editor: show the line it is on now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FollowEditor();
}

} // namespace tolvanor::ui
