// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/startpoints/StartingPointsWindow.h"

#include "editor/EditorOptions.h"
#include "ui/common/QtText.h"
#include "ui/grid/GridTableModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tolvanor::ui {

// The grid's model: the core grid's texts, the chosen row in the
// button-face colour and every other row in the window background colour.
class StartingPointTableModel : public GridTableModel {
public:
    StartingPointTableModel(StartingPointEditor& editor, QObject* parent)
        : GridTableModel(editor.Grid(), parent), editor_(editor) {}

    // The titles are padded with blanks to sit mid-column in a narrow
    // font; centring them instead keeps them whole in any font.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        const auto title = GridTableModel::headerData(section, orientation, role);
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return title.toString().trimmed();
        return title;
    }

protected:
    QVariant CellData(int gridRow, int, int role) const override {
        if (role != Qt::BackgroundRole) return {};
        const auto group = QPalette::Active;
        const auto colour = gridRow == editor_.HighlightedRow() ? QPalette::Button : QPalette::Base;
        return QApplication::palette().brush(group, colour);
    }

private:
    StartingPointEditor& editor_;
};

namespace {

struct BoxText {
    const char* ToolTip;
    const char* AccessibleName;
};
constexpr std::array<BoxText, StartingPointEditor::BoxCount> BoxTexts = {{
    {"Profile Number Edit Box", "Profile Number"},
    {"Easting Edit Box", "Easting"},
    {"Northing Edit Box", "Northing"},
    {"Line Angle Edit Box", "Line Angle"},
}};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* toolTip) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(caption).trimmed());
    if (*toolTip) {
        button->setToolTip(QString::fromLatin1(toolTip));
        button->setAccessibleDescription(button->toolTip());
    }
    button->setAutoDefault(false);
    return button;
}

} // namespace

StartingPointsWindow::StartingPointsWindow(Prompter& prompter, const EditorOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(prompter), options_(options) {
    setObjectName(QStringLiteral("frmStartingPoints"));
    setWindowTitle(QStringLiteral("Starting Point File "));
    BuildWindow();
    ConnectCommands();
    // The main window's close ends the program: unsaved entries are offered for saving first.
    if (parent != nullptr) parent->installEventFilter(this);
    Draw();
}

StartingPointsWindow::~StartingPointsWindow() {
    // The model watches the editor's grid, which goes before the child widgets do.
    grid_->setModel(nullptr);
    delete model_;
}

bool StartingPointsWindow::FormatProfileNumbers() const {
    return options_.FormatProfileNumbers;
}

void StartingPointsWindow::BuildWindow() {
    auto* layout = new QGridLayout(this);
    layout->addWidget(BuildGridAndBoxes(), 0, 0);
    layout->addWidget(BuildButtons(), 0, 1);
    layout->addWidget(BuildCurrentFile(), 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);
    SetTabOrder();
    edits_[0]->setFocus();
}

QWidget* StartingPointsWindow::BuildGridAndBoxes() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    model_ = new StartingPointTableModel(editor_, this);
    grid_ = new QTableView(panel);
    grid_->setObjectName(QStringLiteral("fxgFlexGrid1"));
    grid_->setAccessibleName(QStringLiteral("Starting points"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setHighlightSections(false);
    int width = 0;
    for (int col = 0; col < model_->columnCount(); ++col) {
        const int pixels = GridTableModel::TwipsToPixels(editor_.Grid().ColWidth(col));
        grid_->setColumnWidth(col, pixels);
        width += pixels;
    }
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setMinimumWidth(width + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width());
    grid_->setMinimumHeight(12 * grid_->verticalHeader()->defaultSectionSize());
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);

    // The boxes sit beneath the columns they fill.
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(0);
    boxes->setContentsMargins(grid_->frameWidth(), 0, 0, 0);
    for (int box = 0; box < StartingPointEditor::BoxCount; ++box) {
        auto* edit = new QLineEdit(panel);
        const auto& text = BoxTexts[static_cast<std::size_t>(box)];
        edit->setObjectName(QStringLiteral("txtEdit1_%1").arg(box));
        edit->setToolTip(QString::fromLatin1(text.ToolTip));
        edit->setAccessibleName(QString::fromLatin1(text.AccessibleName));
        edit->setAccessibleDescription(edit->toolTip());
        edit->setFixedWidth(grid_->columnWidth(box));
        edit->installEventFilter(this);
        edits_[static_cast<std::size_t>(box)] = edit;
        boxes->addWidget(edit);
    }
    boxes->addStretch(1);
    layout->addLayout(boxes);
    return panel;
}

QWidget* StartingPointsWindow::BuildButtons() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    add_ = MakeButton(panel, "cmdAddData", "Add New Entry", "Add the data in the edit boxes as a new starting point");
    replace_ = MakeButton(panel, "cmdEnterData", "Replace Data", "Stores the data in the edit boxes ");
    delete_ = MakeButton(panel, "cmdDeleteEntry", "Delete Entry", "");
    clear_ = MakeButton(panel, "cmdClearData", "Clear Edit Data", "Clears the edit boxes");
    keepAngle_ = new QCheckBox(QStringLiteral("Keep This Angle"), panel);
    keepAngle_->setObjectName(QStringLiteral("chkKeepAngle"));
    keepAngle_->setAccessibleName(keepAngle_->text());
    keepAngle_->setToolTip(QStringLiteral("If checked, the current angle will be used for future points"));
    keepAngle_->setAccessibleDescription(keepAngle_->toolTip());
    open_ = MakeButton(panel, "cmdOpen", "Open", "Open an existing Starting Point File");
    save_ = MakeButton(panel, "cmdSave", "Save ", "Save currently displayed Starting Point File");
    quit_ = MakeButton(panel, "cmdQuit", "Quit", "Quit this operation");
    saved_ = new QCheckBox(QStringLiteral("Saved-(not visible)"), panel);
    saved_->setObjectName(QStringLiteral("chkSaved"));
    saved_->setAccessibleName(QStringLiteral("Saved"));
    saved_->setEnabled(false);
    saved_->hide();

    for (QWidget* widget :
         {static_cast<QWidget*>(add_), static_cast<QWidget*>(replace_), static_cast<QWidget*>(delete_),
          static_cast<QWidget*>(clear_), static_cast<QWidget*>(keepAngle_)})
        layout->addWidget(widget);
    layout->addSpacing(16);
    for (QWidget* widget : {open_, save_, quit_}) layout->addWidget(widget);
    layout->addStretch(1);
    layout->addWidget(saved_);
    return panel;
}

QWidget* StartingPointsWindow::BuildCurrentFile() {
    auto* panel = new QWidget(this);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Current File"), panel);
    label->setObjectName(QStringLiteral("lblCurrentFile"));
    currentFile_ = new QLineEdit(panel);
    currentFile_->setObjectName(QStringLiteral("txtCurrentFile"));
    currentFile_->setToolTip(QStringLiteral("Name of current starting points file"));
    currentFile_->setAccessibleName(label->text());
    currentFile_->setAccessibleDescription(currentFile_->toolTip());
    currentFile_->setReadOnly(true);
    label->setBuddy(currentFile_);
    layout->addWidget(label);
    layout->addWidget(currentFile_, 1);
    return panel;
}

void StartingPointsWindow::SetTabOrder() {
    QWidget* order[] = {grid_,   edits_[0], edits_[1],  edits_[2], edits_[3], add_,  replace_,
                        delete_, clear_,    keepAngle_, open_,     save_,     quit_, currentFile_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void StartingPointsWindow::ConnectCommands() {
    connect(add_, &QPushButton::clicked, this, &StartingPointsWindow::AddNewEntry);
    connect(replace_, &QPushButton::clicked, this, &StartingPointsWindow::ReplaceData);
    connect(delete_, &QPushButton::clicked, this, &StartingPointsWindow::DeleteEntry);
    connect(clear_, &QPushButton::clicked, this, &StartingPointsWindow::ClearEditData);
    connect(open_, &QPushButton::clicked, this, &StartingPointsWindow::Open);
    connect(save_, &QPushButton::clicked, this, &StartingPointsWindow::Save);
    connect(quit_, &QPushButton::clicked, this, &StartingPointsWindow::Quit);
    connect(keepAngle_, &QCheckBox::toggled, this, [this](bool keep) { editor_.SetKeepAngle(keep); });
    for (int box = 0; box < StartingPointEditor::BoxCount; ++box) {
        auto* edit = edits_[static_cast<std::size_t>(box)];
        connect(edit, &QLineEdit::textChanged, this, [this, box](const QString& text) {
            if (!quiet_) editor_.SetEditText(box, TextFromQt(text));
        });
        // Enter moves on to the next box; in the last one it adds the entry.
        connect(edit, &QLineEdit::returnPressed, this, [this, box] {
            if (box + 1 < StartingPointEditor::BoxCount)
                edits_[static_cast<std::size_t>(box + 1)]->setFocus();
            else
                AddNewEntry();
        });
    }
    // A click, or the arrow keys, choose a row.
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) { RowChosen(index.row()); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (!quiet_ && current.isValid()) RowChosen(current.row());
    });
    auto* openKey = new QShortcut(QKeySequence::Open, this);
    connect(openKey, &QShortcut::activated, this, &StartingPointsWindow::Open);
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &StartingPointsWindow::Save);
    auto* quitKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(quitKey, &QShortcut::activated, this, &StartingPointsWindow::Quit);
}

void StartingPointsWindow::ShowEditor(const QString& currentFile) {
    if (!currentFile.isEmpty()) editor_.SetInitialPath(PathFromQt(currentFile));
    show();
    raise();
    activateWindow();
}

void StartingPointsWindow::SetStartingPointPath(const QString& file) {
    editor_.SetInitialPath(PathFromQt(file));
}

void StartingPointsWindow::RowChosen(int tableRow) {
    if (quiet_) return;
    Run([&] { editor_.SelectRow(model_->GridRow(tableRow)); });
}

void StartingPointsWindow::AfterEntry(const EntryResult& result) {
    auto* box = edits_.at(static_cast<std::size_t>(result.FocusBox));
    box->setFocus();
    box->selectAll();
}

void StartingPointsWindow::AddNewEntry() {
    EntryResult result;
    Run([&] { result = editor_.AddNewEntry(FormatProfileNumbers()); });
    AfterEntry(result);
}

void StartingPointsWindow::ReplaceData() {
    EntryResult result;
    Run([&] { result = editor_.ReplaceData(FormatProfileNumbers()); });
    AfterEntry(result);
}

void StartingPointsWindow::DeleteEntry() {
    Run([&] { editor_.DeleteEntry(); });
}

void StartingPointsWindow::ClearEditData() {
    Run([&] { editor_.ClearEditData(); });
}

void StartingPointsWindow::Open() {
    Run([&] { editor_.Open(FormatProfileNumbers()); });
}

void StartingPointsWindow::Save() {
    Run([&] { editor_.Save(); });
}

void StartingPointsWindow::Quit() {
    auto decision = QuitDecision::Stay;
    Run([&] { decision = editor_.Quit(); });
    if (decision == QuitDecision::Hide) hide();
}

void StartingPointsWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close button is Quit: it asks about unsaved entries.
    auto decision = QuitDecision::Stay;
    Run([&] { decision = editor_.Quit(); });
    if (decision == QuitDecision::Hide) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool StartingPointsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Close && editor_.HasUnsavedEntries()) {
        ShowEditor({});
        auto decision = QuitDecision::Stay;
        Run([&] { decision = editor_.Quit(); });
        if (decision == QuitDecision::Stay) {
            event->ignore();
            return true;
        }
        hide();
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteEntry();
        return true;
    }
    // Select the whole text when a box takes the focus, after the click that
    // gave it the focus has placed its caret.
    if (event->type() == QEvent::FocusIn) {
        for (auto* edit : edits_) {
            if (watched != edit) continue;
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

template <typename Command> void StartingPointsWindow::Run(Command command) {
    // The view hears of the grid's changes while the command runs; its
    // selection moves are not the user's choice of a row.
    quiet_ = true;
    command();
    Draw();
}

void StartingPointsWindow::Draw() {
    quiet_ = true;
    for (int box = 0; box < StartingPointEditor::BoxCount; ++box) {
        auto* edit = edits_[static_cast<std::size_t>(box)];
        const auto text = TextToQt(editor_.EditText(box));
        if (edit->text() != text) edit->setText(text);
    }
    keepAngle_->setChecked(editor_.KeepAngle());
    saved_->setChecked(editor_.Saved());
    currentFile_->setText(PathToQt(editor_.CurrentFileText()));
    currentFile_->setCursorPosition(0);
    const int row = model_->TableRow(editor_.Grid().Row());
    if (row >= 0 && row < model_->rowCount()) {
        grid_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    model_->RefreshLook();
    quiet_ = false;
}

} // namespace tolvanor::ui
