// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBar;
class QTreeView;
class QFileSystemModel;

namespace tolvanor::ui {

// Every control of the main window, named as the window names them
// (objectName is the same name). Owned by the window's widget tree.
struct MainControls {
    QTabWidget* Tabs = nullptr;  // tabMain
    QPushButton* Back = nullptr; // cmdBack, "< Back"
    QPushButton* Next = nullptr; // cmdNext, "Next >"

    // Data and Processing Options
    QComboBox* cboDataType = nullptr;
    QLineEdit* txtSourceFileName = nullptr;
    QLineEdit* txtStartingPointFile = nullptr;
    QLineEdit* txtAppendToProfile = nullptr;
    QComboBox* cboElevProcessing = nullptr;
    QLineEdit* txtElevChange = nullptr;
    QComboBox* cboSortOrder = nullptr;
    QCheckBox* chkMapElevation = nullptr;
    QPushButton* cmdSelectInputFile = nullptr;
    QPushButton* cmdViewSource = nullptr;
    QPushButton* cmdNewFile = nullptr;
    QPushButton* cmdAppend = nullptr;
    QPushButton* cmdViewEdit = nullptr;
    QPushButton* cmdSelectSPFile = nullptr;
    QPushButton* cmdCreateSPFile = nullptr;
    QPushButton* cmdMergeStartingPoints = nullptr;

    // Create Output
    QComboBox* cboPosnProcessing = nullptr;
    QComboBox* cboThinMethod = nullptr;
    QLineEdit* txtThinInc = nullptr;
    QCheckBox* chkExcelFormat = nullptr;
    QCheckBox* chkIntergraphFormat = nullptr;
    QCheckBox* chkISRPNewFormat = nullptr;
    QCheckBox* chkISRPBPAS = nullptr;
    QCheckBox* chkISRPIntergraphFormat = nullptr;
    QCheckBox* chkRangeElevRemFormat = nullptr;
    QCheckBox* chkXLSFormat = nullptr;
    QCheckBox* chkAppendTemplate = nullptr;
    QLineEdit* txtTemplateFile = nullptr;
    QRadioButton* optSingleFile = nullptr;
    QRadioButton* optIndividualFiles = nullptr;
    QLineEdit* txtLocalityCode = nullptr;
    QLineEdit* txtSurveyDate = nullptr;
    QLineEdit* txtSurveyTime = nullptr;
    std::array<QRadioButton*, 3> optSurveyType{}; // Before Dredge, After Dredge, Maintenance
    QTreeView* OutputDirectory = nullptr;
    QFileSystemModel* OutputDirectoryModel = nullptr;
    QLineEdit* txtOutputDirectory = nullptr; // the folder list's current path, as text
    QLineEdit* txtOutputPrefix = nullptr;
    QLabel* lblOutFileString = nullptr;
    QPushButton* cmdSelectOutputFolder = nullptr;
    QPushButton* cmdFilePrefix = nullptr;
    QPushButton* cmdSelectTemplateFile = nullptr;
    QPushButton* cmdGenerateOutput = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdSaveExit = nullptr;
    QPushButton* cmdQuit = nullptr;

    // Tool bar and menus
    QToolBar* tbrOutput = nullptr;
    QAction* tbrChangeDrive = nullptr;
    QAction* tbrNewFolder = nullptr;
    QAction* tbrFilePrefix = nullptr;
    QAction* tbrGenerateOutput = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSourceData = nullptr;
    QAction* mnuFormatProfileNumbers = nullptr;
    QAction* mnuUseDefault = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* actSaveData = nullptr;
    QAction* actSelectInputFile = nullptr;
};

} // namespace tolvanor::ui
