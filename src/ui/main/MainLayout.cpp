// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/MainLayout.h"

#include "input/DataType.h"
#include "processing/OptionRules.h"
#include "ui/main/ToolbarIcons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace tolvanor::ui {
namespace {

QString Plain(const QString& caption) {
    return QString(caption).remove(QLatin1Char('&')).trimmed();
}

template <typename Widget> Widget* Named(Widget* widget, const char* name, const QString& toolTip = {}) {
    widget->setObjectName(QLatin1String(name));
    if (!toolTip.isEmpty()) {
        widget->setToolTip(toolTip);
        widget->setAccessibleDescription(toolTip);
    }
    return widget;
}

QPushButton* Button(const char* name, const QString& caption, const QString& toolTip = {}) {
    auto* button = Named(new QPushButton(caption), name, toolTip);
    button->setAccessibleName(Plain(caption));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* Check(const char* name, const QString& caption, const QString& toolTip = {}) {
    auto* box = Named(new QCheckBox(caption), name, toolTip);
    box->setAccessibleName(Plain(caption));
    return box;
}

QRadioButton* Option(const char* name, const QString& caption) {
    auto* option = Named(new QRadioButton(caption), name);
    option->setAccessibleName(Plain(caption));
    return option;
}

QLineEdit* Edit(const char* name, const QString& accessibleName, const QString& toolTip = {}) {
    auto* edit = Named(new QLineEdit, name, toolTip);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QComboBox* List(const char* name, const QString& accessibleName, const QString& toolTip = {}) {
    auto* list = Named(new QComboBox, name, toolTip);
    list->setAccessibleName(accessibleName);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

template <typename Items> void Fill(QComboBox* list, const Items& items) {
    for (const auto item : items) list->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
}

// A label that names its box: the box's accessible name is the label's text.
QLabel* LabelFor(const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    buddy->setAccessibleName(Plain(caption));
    return label;
}

QGroupBox* Frame(const char* name, const QString& caption) {
    auto* frame = Named(new QGroupBox(caption), name);
    frame->setAccessibleName(caption);
    return frame;
}

QWidget* SourceFrame(MainControls& c) {
    auto* frame = Frame("fraSourceFiles", QStringLiteral("Source Files"));
    auto* grid = new QGridLayout(frame);
    c.cboDataType = List("cboDataType", QStringLiteral("Data Type"), QStringLiteral("Layout of the source file"));
    for (int type = 0; type < DataTypeCount; ++type) {
        const auto name = DataTypeName(static_cast<DataType>(type));
        c.cboDataType->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    c.txtSourceFileName =
        Edit("txtSourceFileName", QStringLiteral("Source File"), QStringLiteral("Name of the source data file"));
    c.cmdSelectInputFile = Button("cmdSelectInputFile", QStringLiteral("Select &Input File"));
    c.cmdViewSource = Button("cmdViewSource", QStringLiteral("View Sour&ce Data"));
    c.txtStartingPointFile = Edit("txtStartingPointFile", QStringLiteral("Starting Point File"),
                                  QStringLiteral("Name of selected starting point file"));
    c.cmdSelectSPFile = Button("cmdSelectSPFile", QStringLiteral("Select &Starting Point File"));
    c.cmdCreateSPFile = Button("cmdCreateSPFile", QStringLiteral("C&reate/Edit Starting Point File"));
    c.cmdMergeStartingPoints =
        Button("cmdMergeStartingPoints", QStringLiteral("&Merge Starting Points"),
               QStringLiteral("Merges data from starting point file with previously loaded data"));

    grid->addWidget(LabelFor(QStringLiteral("&Data Type"), c.cboDataType), 0, 0);
    grid->addWidget(c.cboDataType, 0, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(LabelFor(QStringLiteral("So&urce File"), c.txtSourceFileName), 1, 0);
    grid->addWidget(c.txtSourceFileName, 1, 1, 1, 3);
    auto* sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(c.cmdSelectInputFile);
    sourceButtons->addWidget(c.cmdViewSource);
    sourceButtons->addStretch();
    grid->addLayout(sourceButtons, 2, 1, 1, 3);
    grid->addWidget(LabelFor(QStringLiteral("Starting &Point File"), c.txtStartingPointFile), 3, 0);
    grid->addWidget(c.txtStartingPointFile, 3, 1, 1, 3);
    auto* startButtons = new QHBoxLayout;
    startButtons->addWidget(c.cmdSelectSPFile);
    startButtons->addWidget(c.cmdCreateSPFile);
    startButtons->addWidget(c.cmdMergeStartingPoints);
    startButtons->addStretch();
    grid->addLayout(startButtons, 4, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return frame;
}

QWidget* ProcessingFrame(MainControls& c) {
    auto* frame = Frame("fraProcessingOptions", QStringLiteral("Processing Options"));
    auto* grid = new QGridLayout(frame);
    c.txtAppendToProfile = Edit("txtAppendToProfile", {}, QStringLiteral("Text added to every profile number read"));
    c.cboElevProcessing = List("cboElevProcessing", {}, QStringLiteral("Elevation adjustment applied while reading"));
    Fill(c.cboElevProcessing, ElevProcessingItems);
    c.txtElevChange =
        Edit("txtElevChange", {}, QStringLiteral("Amount to add or subtract (a number, or a percentage with %)"));
    c.txtElevChange->setMaximumWidth(120);
    c.chkMapElevation = Check("chkMapElevation", QStringLiteral("Map Elevation to D&BT"),
                              QStringLiteral("Old job files: read the elevation column as DBT"));
    c.cboSortOrder = List("cboSortOrder", {}, QStringLiteral("Order of the shots in the editor's grid"));
    Fill(c.cboSortOrder, SortOrderItems);
    c.cboPosnProcessing = List("cboPosnProcessing", {}, QStringLiteral("Straightening and thinning applied on output"));
    Fill(c.cboPosnProcessing, PosnProcessingItems);
    c.cboThinMethod = List("cboThinMethod", {}, QStringLiteral("How lines are thinned"));
    Fill(c.cboThinMethod, ThinMethodItems);
    c.txtThinInc = Edit("txtThinInc", {}, QStringLiteral("Thinning distance or number of shots to ignore"));
    c.txtThinInc->setMaximumWidth(120);
    c.txtThinInc->setText(QStringLiteral("1"));

    grid->addWidget(LabelFor(QStringLiteral("Append Te&xt to Profile Number"), c.txtAppendToProfile), 0, 0);
    grid->addWidget(c.txtAppendToProfile, 0, 1);
    grid->addWidget(LabelFor(QStringLiteral("E&levation Processing (on input)"), c.cboElevProcessing), 1, 0);
    grid->addWidget(c.cboElevProcessing, 1, 1);
    grid->addWidget(LabelFor(QStringLiteral("Elevation Change"), c.txtElevChange), 1, 2);
    grid->addWidget(c.txtElevChange, 1, 3);
    grid->addWidget(c.chkMapElevation, 2, 1, 1, 3);
    grid->addWidget(LabelFor(QStringLiteral("Sor&t Order"), c.cboSortOrder), 3, 0);
    grid->addWidget(c.cboSortOrder, 3, 1);
    grid->addWidget(LabelFor(QStringLiteral("Position Processin&g (on output)"), c.cboPosnProcessing), 4, 0);
    grid->addWidget(c.cboPosnProcessing, 4, 1);
    grid->addWidget(LabelFor(QStringLiteral("Thin Method"), c.cboThinMethod), 5, 0);
    grid->addWidget(c.cboThinMethod, 5, 1);
    grid->addWidget(LabelFor(QStringLiteral("Thin Increment"), c.txtThinInc), 5, 2);
    grid->addWidget(c.txtThinInc, 5, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return frame;
}

QWidget* LoadButtons(MainControls& c) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("fraLoadCommands"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    c.cmdNewFile = Button("cmdNewFile", QStringLiteral("&New File"),
                          QStringLiteral("Clears any existing data from project, then loads data from Source Data "
                                         "file and starts Data Edit window"));
    c.cmdAppend = Button("cmdAppend", QStringLiteral("&Append Data"),
                         QStringLiteral("Adds data from Source Data file to previously read data"));
    c.cmdViewEdit = Button("cmdViewEdit", QStringLiteral("Show &Edit Window"),
                           QStringLiteral("Opens Data Edit window and loads data if not previously loaded"));
    // The workflow's main commands: big enough to find at a glance.
    for (auto* button : {c.cmdNewFile, c.cmdAppend, c.cmdViewEdit}) {
        button->setMinimumSize(150, 36);
        layout->addWidget(button);
    }
    layout->addStretch();
    return row;
}

QWidget* DataPage(MainControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgDataAndProcessing"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(SourceFrame(c));
    layout->addWidget(ProcessingFrame(c));
    layout->addWidget(LoadButtons(c));
    layout->addStretch();
    return page;
}

QWidget* FolderFrame(MainControls& c) {
    auto* frame = Frame("fraOutputOptions", QStringLiteral("Output Options"));
    auto* grid = new QGridLayout(frame);
    c.txtOutputDirectory = Edit("txtOutputDirectory", {}, QStringLiteral("Folder the output files are written to"));
    c.txtOutputDirectory->setReadOnly(true);
    c.OutputDirectoryModel = new QFileSystemModel(frame);
    c.OutputDirectoryModel->setObjectName(QStringLiteral("OutputDirectoryModel"));
    c.OutputDirectoryModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    c.OutputDirectoryModel->setRootPath(QDir::rootPath());
    c.OutputDirectory = Named(new QTreeView, "OutputDirectory", QStringLiteral("Output folder"));
    c.OutputDirectory->setAccessibleName(QStringLiteral("Output Folder"));
    c.OutputDirectory->setModel(c.OutputDirectoryModel);
    for (int column = 1; column < c.OutputDirectoryModel->columnCount(); ++column)
        c.OutputDirectory->hideColumn(column);
    c.OutputDirectory->setHeaderHidden(true);
    c.OutputDirectory->setMinimumHeight(90);
    c.cmdSelectOutputFolder = Button("cmdSelectOutputFolder", QStringLiteral("&Select Output Folder"));
    c.txtOutputPrefix = Edit("txtOutputPrefix", {}, QStringLiteral("Output file names start with this text"));
    c.cmdFilePrefix = Button("cmdFilePrefix", QStringLiteral("File &Prefix"));
    c.lblOutFileString = Named(new QLabel(QStringLiteral("(need to select an output file prefix)")), "lblOutFileString",
                               QStringLiteral("How the output files will be named"));
    c.lblOutFileString->setAccessibleName(QStringLiteral("Output file names"));
    c.lblOutFileString->setTextInteractionFlags(Qt::TextSelectableByMouse);
    c.optSingleFile = Option("optSingleFile", QStringLiteral("Si&ngle file with all data"));
    c.optIndividualFiles = Option("optIndividualFiles", QStringLiteral("O&utput file for each line"));
    c.optSingleFile->setChecked(true);

    grid->addWidget(LabelFor(QStringLiteral("Output Folder"), c.txtOutputDirectory), 0, 0);
    grid->addWidget(c.txtOutputDirectory, 0, 1);
    grid->addWidget(c.cmdSelectOutputFolder, 0, 2);
    c.OutputDirectory->setAccessibleName(QStringLiteral("Output Folder"));
    grid->addWidget(c.OutputDirectory, 1, 1, 1, 2);
    grid->addWidget(LabelFor(QStringLiteral("Output File Prefix"), c.txtOutputPrefix), 2, 0);
    grid->addWidget(c.txtOutputPrefix, 2, 1);
    grid->addWidget(c.cmdFilePrefix, 2, 2);
    grid->addWidget(c.lblOutFileString, 3, 1, 1, 2);
    auto* modes = new QHBoxLayout;
    modes->addWidget(c.optSingleFile);
    modes->addWidget(c.optIndividualFiles);
    modes->addStretch();
    grid->addLayout(modes, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    return frame;
}

QWidget* ConstantsFrame(MainControls& c) {
    auto* frame = Frame("fraISRPConstants", QStringLiteral("ISRP Output Constants"));
    auto* grid = new QGridLayout(frame);
    c.txtLocalityCode = Edit("txtLocalityCode", {}, QStringLiteral("Two-letter locality code of the ISRP cards"));
    c.txtLocalityCode->setMaxLength(2);
    c.txtSurveyDate = Edit("txtSurveyDate", {}, QStringLiteral("Survey date as YYMMDD"));
    c.txtSurveyDate->setMaxLength(6);
    c.txtSurveyTime = Edit("txtSurveyTime", {}, QStringLiteral("Survey time, up to 5 digits"));
    c.txtSurveyTime->setMaxLength(5);
    c.txtSurveyTime->setText(QStringLiteral("1200"));
    for (auto* edit : {c.txtLocalityCode, c.txtSurveyDate, c.txtSurveyTime}) edit->setMaximumWidth(90);
    grid->addWidget(LabelFor(QStringLiteral("Localit&y Code (2 characters)"), c.txtLocalityCode), 0, 0);
    grid->addWidget(c.txtLocalityCode, 0, 1);
    grid->addWidget(LabelFor(QStringLiteral("Survey Date (YYMMDD)"), c.txtSurveyDate), 1, 0);
    grid->addWidget(c.txtSurveyDate, 1, 1);
    grid->addWidget(LabelFor(QStringLiteral("Survey Time (5 digits)"), c.txtSurveyTime), 2, 0);
    grid->addWidget(c.txtSurveyTime, 2, 1);

    auto* type = Frame("fraSurveyType", QStringLiteral("Survey Type"));
    auto* typeLayout = new QVBoxLayout(type);
    const std::array<QString, 3> captions{QStringLiteral("&Before Dredge"), QStringLiteral("After Dredge"),
                                          QStringLiteral("Maintenance")};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        c.optSurveyType[i] = Option("optSurveyType", captions[i]);
        c.optSurveyType[i]->setProperty("index", static_cast<int>(i));
        typeLayout->addWidget(c.optSurveyType[i]);
    }
    c.optSurveyType[2]->setChecked(true);
    grid->addWidget(type, 0, 2, 3, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

QWidget* FormatsFrame(MainControls& c) {
    auto* frame = Frame("fraOutputFiles", QStringLiteral("Select Output Files and Options"));
    auto* grid = new QGridLayout(frame);
    c.chkExcelFormat = Check("chkExcelFormat", QStringLiteral("Trimble/Excel (.&CSV)"));
    c.chkIntergraphFormat = Check("chkIntergraphFormat", QStringLiteral("Intergraph Format (.XY&Z)"));
    c.chkISRPNewFormat = Check("chkISRPNewFormat", QStringLiteral("ISRP 28 Format (.&IRP)"),
                               QStringLiteral("Format is: ISRP 28 (new) format"));
    c.chkISRPBPAS = Check("chkISRPBPAS", QStringLiteral("ISRP BPAS (.IRP)"));
    c.chkISRPIntergraphFormat = Check("chkISRPIntergraphFormat", QStringLiteral("ISRP for Intergraph (.S&E)"));
    c.chkRangeElevRemFormat = Check("chkRangeElevRemFormat", QStringLiteral("Range/Elev/Remark File (.&RER)"));
    c.chkXLSFormat = Check("chkXLSFormat", QStringLiteral("Excel Distance/Elevation/Pos (.X&LS)"));
    c.chkAppendTemplate = Check("chkAppendTemplate", QStringLiteral("Append &Template "),
                                QStringLiteral("Specified file will be added to ISRP outputs"));
    c.txtTemplateFile = Edit("txtTemplateFile", QStringLiteral("Template File"),
                             QStringLiteral("Name ofTemplate file to append to ISRP output"));
    c.cmdSelectTemplateFile = Button("cmdSelectTemplateFile", QStringLiteral("Select Te&mplate File"));

    grid->addWidget(c.chkExcelFormat, 0, 0);
    grid->addWidget(c.chkIntergraphFormat, 1, 0);
    grid->addWidget(c.chkXLSFormat, 2, 0);
    grid->addWidget(c.chkRangeElevRemFormat, 3, 0);
    grid->addWidget(c.chkISRPNewFormat, 0, 1);
    grid->addWidget(c.chkISRPBPAS, 1, 1);
    grid->addWidget(c.chkISRPIntergraphFormat, 2, 1);
    auto* templateRow = new QHBoxLayout;
    templateRow->addWidget(c.chkAppendTemplate);
    templateRow->addWidget(c.txtTemplateFile, 1);
    templateRow->addWidget(c.cmdSelectTemplateFile);
    grid->addLayout(templateRow, 4, 0, 1, 2);
    grid->addWidget(ConstantsFrame(c), 5, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* OutputButtons(MainControls& c) {
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("fraOutputCommands"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    c.cmdGenerateOutput = Button("cmdGenerateOutput", QStringLiteral("&Generate Output"),
                                 QStringLiteral("Writes the ticked output files"));
    c.cmdSave = Button("cmdSave", QStringLiteral("Save &Data"), QStringLiteral("Saves the job as a .tvn file"));
    c.cmdSaveExit = Button("cmdSaveExit", QStringLiteral("Save and E&xit"),
                           QStringLiteral("Saves the job as prefix.tvn and ends the program"));
    c.cmdQuit = Button("cmdQuit", QStringLiteral("&Quit"), QStringLiteral("Ends the program"));
    for (auto* button : {c.cmdGenerateOutput, c.cmdSave, c.cmdSaveExit, c.cmdQuit}) {
        button->setMinimumSize(130, 36);
        layout->addWidget(button);
    }
    layout->insertStretch(1);
    return row;
}

QWidget* OutputPage(MainControls& c) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgCreateOutput"));
    auto* layout = new QVBoxLayout(page);
    auto* frames = new QHBoxLayout;
    frames->addWidget(FolderFrame(c), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(FormatsFrame(c));
    right->addStretch();
    frames->addLayout(right, 1);
    layout->addLayout(frames, 1);
    layout->addWidget(OutputButtons(c));
    return page;
}

QAction* Action(QObject* owner, const char* name, const QString& caption, const QString& toolTip = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    return action;
}

void BuildMenus(QMainWindow& window, MainControls& c) {
    auto* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("mnuMain"));
    auto* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    c.actSelectInputFile = Action(&window, "mnuSelectInputFile", QStringLiteral("Select &Input File..."));
    c.actSelectInputFile->setShortcut(QKeySequence::Open);
    c.actSaveData = Action(&window, "mnuSaveData", QStringLiteral("&Save Data..."));
    c.actSaveData->setShortcut(QKeySequence::Save);
    c.mnuExit = Action(&window, "mnuExit", QStringLiteral("E&xit"));
    c.mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    c.mnuExit->setShortcutContext(Qt::ApplicationShortcut);
    file->addAction(c.actSelectInputFile);
    file->addAction(c.actSaveData);
    file->addSeparator();
    file->addAction(c.mnuExit);

    auto* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    c.mnuSourceData = Action(&window, "mnuSourceData", QStringLiteral("&Source Data"));
    view->addAction(c.mnuSourceData);

    auto* options = bar->addMenu(QStringLiteral("&Options..."));
    options->setObjectName(QStringLiteral("mnuOptions"));
    c.mnuFormatProfileNumbers =
        Action(&window, "mnuFormatProfileNumbers", QStringLiteral("&Force profile numbers to 3 digits"));
    c.mnuFormatProfileNumbers->setCheckable(true);
    c.mnuFormatProfileNumbers->setChecked(true);
    c.mnuUseDefault = Action(&window, "mnuUseDefault", QStringLiteral("&Use last setting as default on startup"));
    c.mnuUseDefault->setCheckable(true);
    options->addAction(c.mnuFormatProfileNumbers);
    options->addAction(c.mnuUseDefault);

    auto* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    c.mnuHelpContents = Action(&window, "mnuHelpContents", QStringLiteral("&Help"));
    c.mnuHelpContents->setShortcut(QKeySequence::HelpContents);
    c.mnuHelpContents->setShortcutContext(Qt::ApplicationShortcut);
    c.mnuAbout = Action(&window, "mnuAbout", QStringLiteral("&About "));
    help->addAction(c.mnuHelpContents);
    help->addAction(c.mnuAbout);
}

// Captions keep their "&": the buttons are told apart by caption. Tool
// buttons show the text without it, so the menus keep their Alt keys.
void BuildToolBar(QMainWindow& window, MainControls& c) {
    c.tbrOutput = new QToolBar(QStringLiteral("Output tools"), &window);
    c.tbrOutput->setObjectName(QStringLiteral("tbrOutput"));
    c.tbrOutput->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    c.tbrOutput->setIconSize(QSize(24, 24));
    c.tbrOutput->setMovable(false);
    c.tbrChangeDrive = Action(&window, "tbrChangeDrive", QStringLiteral("Change &Drive"),
                              QStringLiteral("Switch the output folder to another drive"));
    c.tbrNewFolder = Action(&window, "tbrNewFolder", QStringLiteral("New &Folder"),
                            QStringLiteral("Create a folder in the output folder and write there"));
    c.tbrFilePrefix = Action(&window, "tbrFilePrefix", QStringLiteral("File &Prefix"),
                             QStringLiteral("Set the prefix of the output file names"));
    c.tbrGenerateOutput = Action(&window, "tbrGenerateOutput", QStringLiteral("Generate Output"),
                                 QStringLiteral("Write the ticked output files"));
    c.tbrChangeDrive->setIcon(BundledIcon("change-drive"));
    c.tbrNewFolder->setIcon(BundledIcon("new-folder"));
    c.tbrFilePrefix->setIcon(BundledIcon("file-prefix"));
    c.tbrGenerateOutput->setIcon(BundledIcon("generate-output"));
    for (auto* action : {c.tbrChangeDrive, c.tbrNewFolder, c.tbrFilePrefix, c.tbrGenerateOutput}) {
        action->setIconText(Plain(action->text()));
        c.tbrOutput->addAction(action);
    }
    window.addToolBar(Qt::TopToolBarArea, c.tbrOutput);
}

QWidget* TabsAndButtons(MainControls& c) {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("fraMain"));
    auto* layout = new QVBoxLayout(central);
    c.Tabs = Named(new QTabWidget, "tabMain");
    c.Tabs->setAccessibleName(QStringLiteral("Main tabs"));
    c.Tabs->addTab(DataPage(c), QStringLiteral("Data and Processing Options "));
    c.Tabs->setTabToolTip(0, QStringLiteral("Select Data Files for processing"));
    c.Tabs->addTab(OutputPage(c), QStringLiteral("Create Output"));
    c.Tabs->setTabToolTip(1, QStringLiteral("Create the output files"));
    layout->addWidget(c.Tabs, 1);
    auto* buttons = new QHBoxLayout;
    c.Back = Button("cmdBack", QStringLiteral("< Back"), QStringLiteral("Go to previous tab"));
    c.Next = Button("cmdNext", QStringLiteral("Next >"), QStringLiteral("Go to next tab in sequence"));
    buttons->addStretch();
    buttons->addWidget(c.Back);
    buttons->addWidget(c.Next);
    layout->addLayout(buttons);
    return central;
}

} // namespace

void BuildMainLayout(QMainWindow& window, MainControls& controls) {
    window.setObjectName(QStringLiteral("frmTolvaMain"));
    window.setWindowTitle(QStringLiteral("Tolvanor"));
    window.setWindowIcon(BundledIcon("tolvanor"));
    BuildMenus(window, controls);
    BuildToolBar(window, controls);
    window.setCentralWidget(TabsAndButtons(controls));
    window.statusBar()->setObjectName(QStringLiteral("sbrStatus"));
}

} // namespace tolvanor::ui
