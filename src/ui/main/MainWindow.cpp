// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/MainWindow.h"

#include "core/Job.h"
#include "core/MainSettings.h"
#include "core/SettingsStore.h"
#include "editor/DataEditor.h"
#include "editor/EditorOutputHooks.h"
#include "input/ReadOptions.h"
#include "input/SourceFileDialog.h"
#include "output/GenerateOutput.h"
#include "output/OutputFolderTools.h"
#include "processing/OptionRules.h"
#include "ui/common/QtText.h"
#include "ui/main/MainLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <QUrl>

namespace tolvanor::ui {

MainWindow::MainWindow(Job& job, DataEditor& editor, Prompter& prompter, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), job_(job), editor_(editor), prompter_(prompter), settings_(settings) {
    BuildMainLayout(*this, controls_);
    ownHooks_ = std::make_unique<EditorOutputHooks>(editor_);
    outputEditor_ = ownHooks_.get();
    setAcceptDrops(true);
    resize(980, 660);
    ConnectCommands();
    ConnectSettings();
    InstallTextBoxRules();
    SetOutputFolder(QDir::homePath());
    SetDefaults();
    UpdateTabButtons();
}

MainWindow::~MainWindow() = default;

void MainWindow::SaveSetting(std::string_view key, const QString& value) {
    settings_.Save(key, PathFromQt(value));
}

void MainWindow::ConnectCommands() {
    auto& c = controls_;
    connect(c.cmdSelectInputFile, &QPushButton::clicked, this, &MainWindow::SelectInputFile);
    connect(c.actSelectInputFile, &QAction::triggered, this, &MainWindow::SelectInputFile);
    connect(c.cmdViewSource, &QPushButton::clicked, this, &MainWindow::ViewSource);
    connect(c.mnuSourceData, &QAction::triggered, this, &MainWindow::ViewSource);
    connect(c.cmdNewFile, &QPushButton::clicked, this, &MainWindow::NewFile);
    connect(c.cmdAppend, &QPushButton::clicked, this, &MainWindow::AppendData);
    connect(c.cmdViewEdit, &QPushButton::clicked, this, &MainWindow::ShowEditWindow);
    connect(c.cmdSelectSPFile, &QPushButton::clicked, this, &MainWindow::SelectStartingPointFile);
    connect(c.cmdCreateSPFile, &QPushButton::clicked, this, &MainWindow::CreateStartingPointFile);
    connect(c.cmdMergeStartingPoints, &QPushButton::clicked, this, &MainWindow::MergeStartingPoints);
    connect(c.cmdSelectOutputFolder, &QPushButton::clicked, this, &MainWindow::SelectOutputFolder);
    connect(c.cmdFilePrefix, &QPushButton::clicked, this, &MainWindow::FilePrefix);
    connect(c.tbrFilePrefix, &QAction::triggered, this, &MainWindow::FilePrefix);
    connect(c.tbrNewFolder, &QAction::triggered, this, &MainWindow::NewFolder);
    connect(c.tbrChangeDrive, &QAction::triggered, this, &MainWindow::ChangeDrive);
    connect(c.cmdSelectTemplateFile, &QPushButton::clicked, this, &MainWindow::SelectTemplateFile);
    connect(c.cmdGenerateOutput, &QPushButton::clicked, this, &MainWindow::GenerateOutput);
    connect(c.tbrGenerateOutput, &QAction::triggered, this, &MainWindow::GenerateOutput);
    connect(c.cmdSave, &QPushButton::clicked, this, &MainWindow::SaveData);
    connect(c.actSaveData, &QAction::triggered, this, &MainWindow::SaveData);
    connect(c.cmdSaveExit, &QPushButton::clicked, this, &MainWindow::SaveAndExit);
    connect(c.cmdQuit, &QPushButton::clicked, this, &MainWindow::Quit);
    connect(c.mnuExit, &QAction::triggered, this, &MainWindow::Quit);
    connect(c.mnuHelpContents, &QAction::triggered, this, &MainWindow::ShowHelp);
    connect(c.mnuAbout, &QAction::triggered, this, &MainWindow::ShowAboutBox);
    connect(c.Back, &QPushButton::clicked, this,
            [this] { controls_.Tabs->setCurrentIndex(std::max(0, controls_.Tabs->currentIndex() - 1)); });
    connect(c.Next, &QPushButton::clicked, this, [this] {
        controls_.Tabs->setCurrentIndex(std::min(controls_.Tabs->count() - 1, controls_.Tabs->currentIndex() + 1));
    });
    connect(c.Tabs, &QTabWidget::currentChanged, this, &MainWindow::UpdateTabButtons);
    connect(c.OutputDirectory, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { SetOutputFolder(controls_.OutputDirectoryModel->filePath(index)); });
    connect(c.OutputDirectory, &QTreeView::activated, this,
            [this](const QModelIndex& index) { SetOutputFolder(controls_.OutputDirectoryModel->filePath(index)); });
    connect(c.OutputDirectoryModel, &QFileSystemModel::directoryLoaded, this, [this] {
        controls_.OutputDirectory->scrollTo(controls_.OutputDirectory->currentIndex(),
                                            QAbstractItemView::PositionAtCenter);
    });
}

void MainWindow::BindListSetting(QComboBox* list, std::string_view key) {
    connect(list, &QComboBox::activated, this, [this, key](int index) { settings_.Save(key, std::to_string(index)); });
}

void MainWindow::BindCheckSetting(QCheckBox* box, std::string_view key) {
    connect(box, &QCheckBox::clicked, this, [this, key](bool checked) { settings_.Save(key, CheckText(checked)); });
}

void MainWindow::ConnectSettings() {
    auto& c = controls_;
    BindListSetting(c.cboDataType, SettingsKey::DataType);
    BindListSetting(c.cboElevProcessing, SettingsKey::ElevProcessing);
    BindListSetting(c.cboSortOrder, SettingsKey::SortOrder);
    BindListSetting(c.cboPosnProcessing, SettingsKey::PosnProcessing);
    BindListSetting(c.cboThinMethod, SettingsKey::ThinMethod);
    BindCheckSetting(c.chkISRPBPAS, SettingsKey::ISRPBPAS);
    BindCheckSetting(c.chkISRPNewFormat, SettingsKey::ISRPNewFormat);
    BindCheckSetting(c.chkAppendTemplate, SettingsKey::AppendTemplate);
    BindCheckSetting(c.chkRangeElevRemFormat, SettingsKey::RangeElevRemFormat);
    BindCheckSetting(c.chkISRPIntergraphFormat, SettingsKey::ISRPIntergraphFormat);
    BindCheckSetting(c.chkExcelFormat, SettingsKey::ExcelFormat);
    BindCheckSetting(c.chkXLSFormat, SettingsKey::XLSFormat);
    BindCheckSetting(c.chkIntergraphFormat, SettingsKey::IntergraphFormat);
    connect(c.optSingleFile, &QRadioButton::clicked, this, [this] {
        settings_.Save(SettingsKey::SingleFile, "1");
        settings_.Save(SettingsKey::IndividualFiles, "0");
    });
    connect(c.optIndividualFiles, &QRadioButton::clicked, this, [this] {
        settings_.Save(SettingsKey::SingleFile, "0");
        settings_.Save(SettingsKey::IndividualFiles, "1");
    });
    connect(c.mnuFormatProfileNumbers, &QAction::triggered, this,
            [this](bool checked) { settings_.Save(SettingsKey::FormatProfileNumbers, TrueFalseText(checked)); });
    connect(c.mnuUseDefault, &QAction::triggered, this,
            [this](bool checked) { settings_.Save(SettingsKey::UseDefault, TrueFalseText(checked)); });

    // What the editor reads follows the controls, however they change.
    connect(c.cboSortOrder, &QComboBox::currentIndexChanged, this, &MainWindow::UpdateEditorOptions);
    connect(c.mnuFormatProfileNumbers, &QAction::toggled, this, &MainWindow::UpdateEditorOptions);
    connect(c.txtStartingPointFile, &QLineEdit::textChanged, this, &MainWindow::UpdateEditorOptions);
    connect(c.cboDataType, &QComboBox::currentIndexChanged, this, &MainWindow::UpdateElevChangeEnabled);
    connect(c.cboElevProcessing, &QComboBox::currentIndexChanged, this, &MainWindow::UpdateElevChangeEnabled);
    connect(c.txtOutputPrefix, &QLineEdit::textChanged, this, &MainWindow::UpdatePreview);
}

void MainWindow::SetDefaults() {
    settingsReady_ = true;
    const RestoredSettings restored = RestoreMainSettings(settings_, PathFromQt(QDir::homePath()));
    switch (restored.Start) {
    case SettingsStart::FirstRun:
        controls_.mnuUseDefault->setChecked(true);
        for (auto* list : {controls_.cboDataType, controls_.cboElevProcessing, controls_.cboSortOrder,
                           controls_.cboPosnProcessing, controls_.cboThinMethod}) {
            list->setCurrentIndex(0);
        }
        break;
    case SettingsStart::NotRestored:
        controls_.mnuUseDefault->setChecked(false);
        break;
    case SettingsStart::Restored:
        controls_.mnuUseDefault->setChecked(true);
        ApplySettings(restored.Values);
        if (!restored.FolderMessage.empty()) prompter_.Message(restored.FolderMessage);
        break;
    }
    controls_.txtAppendToProfile->clear();
    UpdateElevChangeEnabled();
    UpdateEditorOptions();
    UpdatePreview();
}

namespace {

void SetFileBox(QLineEdit* box, const std::string& path) {
    box->setText(PathToQt(path));
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

} // namespace

void MainWindow::ApplySettings(const MainSettings& values) {
    auto& c = controls_;
    c.chkISRPBPAS->setChecked(values.ISRPBPAS);
    c.chkISRPNewFormat->setChecked(values.ISRPNewFormat);
    c.chkRangeElevRemFormat->setChecked(values.RangeElevRemFormat);
    c.chkISRPIntergraphFormat->setChecked(values.ISRPIntergraphFormat);
    c.chkExcelFormat->setChecked(values.ExcelFormat);
    c.chkXLSFormat->setChecked(values.XLSFormat);
    c.chkIntergraphFormat->setChecked(values.IntergraphFormat);
    c.optSingleFile->setChecked(values.SingleFile);
    c.optIndividualFiles->setChecked(values.IndividualFiles);
    c.chkAppendTemplate->setChecked(values.AppendTemplate);
    SetFileBox(c.txtSourceFileName, values.SourceFileName);
    SetFileBox(c.txtStartingPointFile, values.StartingPoint);
    SetFileBox(c.txtTemplateFile, values.TemplateFile);
    SetOutputFolder(PathToQt(values.OutputDirectoryPath));
    c.txtOutputPrefix->setText(PathToQt(values.OutputPrefix));
    c.cboDataType->setCurrentIndex(values.DataType);
    c.cboElevProcessing->setCurrentIndex(values.ElevProcessing);
    c.cboSortOrder->setCurrentIndex(values.SortOrder);
    c.cboPosnProcessing->setCurrentIndex(values.PosnProcessing);
    c.cboThinMethod->setCurrentIndex(values.ThinMethod);
    c.mnuFormatProfileNumbers->setChecked(values.FormatProfileNumbers);
    c.txtThinInc->setText(QString::fromLatin1(values.ThinInc.c_str()));
}

QString MainWindow::OutputFolder() const {
    return controls_.txtOutputDirectory->text();
}

void MainWindow::SetOutputFolder(const QString& folder) {
    auto& c = controls_;
    c.txtOutputDirectory->setText(folder);
    c.txtOutputDirectory->setCursorPosition(static_cast<int>(folder.size()));
    const QModelIndex index = c.OutputDirectoryModel->index(folder);
    if (index.isValid()) {
        c.OutputDirectory->setCurrentIndex(index);
        c.OutputDirectory->expand(index);
        c.OutputDirectory->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    UpdatePreview();
    if (settingsReady_) SaveSetting(SettingsKey::OutputDirectoryPath, folder);
}

void MainWindow::UpdatePreview() {
    const QString prefix = controls_.txtOutputPrefix->text();
    if (prefix.isEmpty()) {
        controls_.lblOutFileString->setText(QString::fromLatin1(NoPrefixPreview.data(), NoPrefixPreview.size()));
        return;
    }
    controls_.lblOutFileString->setText(
        PathToQt(OutputFileStringPreview(PathFromQt(OutputFolder()), TextFromQt(prefix))));
}

void MainWindow::UpdateEditorOptions() {
    auto& options = editor_.Options();
    options.SortOrder = controls_.cboSortOrder->currentIndex();
    options.FormatProfileNumbers = controls_.mnuFormatProfileNumbers->isChecked();
    options.StartingPointFile = PathFromQt(controls_.txtStartingPointFile->text());
}

void MainWindow::UpdateElevChangeEnabled() {
    controls_.txtElevChange->setEnabled(ElevChangeEnabled(controls_.cboElevProcessing->currentIndex()));
}

void MainWindow::UpdateTabButtons() {
    controls_.Back->setEnabled(controls_.Tabs->currentIndex() > 0);
    controls_.Next->setEnabled(controls_.Tabs->currentIndex() < controls_.Tabs->count() - 1);
}

ReadOptions MainWindow::CurrentReadOptions() const {
    const auto& c = controls_;
    ReadOptions options;
    options.SourceFileName = PathFromQt(c.txtSourceFileName->text());
    options.DataType = c.cboDataType->currentIndex();
    options.AppendToProfile = TextFromQt(c.txtAppendToProfile->text());
    options.ElevProcessing = c.cboElevProcessing->currentIndex();
    options.ElevChange = TextFromQt(c.txtElevChange->text());
    options.MapElevation = c.chkMapElevation->isChecked();
    options.FormatProfileNumbers = c.mnuFormatProfileNumbers->isChecked();
    return options;
}

GenerateOptions MainWindow::CurrentGenerateOptions() const {
    const auto& c = controls_;
    GenerateOptions options;
    options.Csv = c.chkExcelFormat->isChecked();
    options.Xyz = c.chkIntergraphFormat->isChecked();
    options.Isrp = c.chkISRPNewFormat->isChecked();
    options.Se = c.chkISRPIntergraphFormat->isChecked();
    options.Rer = c.chkRangeElevRemFormat->isChecked();
    options.Xls = c.chkXLSFormat->isChecked();
    options.IsrpBpas = c.chkISRPBPAS->isChecked();
    options.Folder = PathFromQt(OutputFolder());
    options.Writer.Prefix = TextFromQt(c.txtOutputPrefix->text());
    options.Writer.Mode = c.optIndividualFiles->isChecked() ? FileMode::FilePerLine : FileMode::SingleFile;
    options.Writer.LocalityCode = TextFromQt(c.txtLocalityCode->text());
    options.Writer.SurveyDate = TextFromQt(c.txtSurveyDate->text());
    options.Writer.SurveyTime = TextFromQt(c.txtSurveyTime->text());
    options.Writer.SurveyType = SurveyTypeOption::Maintenance;
    for (std::size_t i = 0; i < c.optSurveyType.size(); ++i) {
        if (c.optSurveyType[i]->isChecked()) options.Writer.SurveyType = static_cast<SurveyTypeOption>(i);
    }
    options.Writer.AppendTemplate = c.chkAppendTemplate->isChecked();
    options.Writer.TemplateFile = PathFromQt(c.txtTemplateFile->text());
    options.PosnProcessing = c.cboPosnProcessing->currentIndex();
    options.ThinMethod = TextFromQt(c.cboThinMethod->currentText());
    options.ThinIncrement = TextFromQt(c.txtThinInc->text());
    return options;
}

void MainWindow::OpenFromOutside(const QString& file) {
    const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    SetFileBox(controls_.txtSourceFileName, PathFromQt(path));
    SaveSetting(SettingsKey::SourceFileName, path);
    if (const auto type = DataTypeFromExtension(PathFromQt(path))) {
        controls_.cboDataType->setCurrentIndex(*type);
        settings_.Save(SettingsKey::DataType, std::to_string(*type));
    }
    controls_.Tabs->setCurrentIndex(0);
    NewFile();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy_ || (!quitting_ && !ConfirmQuit())) {
        event->ignore();
        return;
    }
    event->accept();
    emit QuitRequested();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (!busy_ && !urls.isEmpty() && urls.constFirst().isLocalFile()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (busy_ || urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
    event->acceptProposedAction();
    OpenFromOutside(urls.constFirst().toLocalFile());
}

} // namespace tolvanor::ui
