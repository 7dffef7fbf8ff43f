// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/CellTextEditor.h"

#include "core/Job.h"
#include "editor/DataEditor.h"
#include "editor/ShotCommandRules.h"
#include "grid/GridModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace tolvanor::ui {

namespace {

constexpr int BlankKey = 32;

// The character code of a typed key, 0 for keys that type nothing.
int CharacterOf(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const int code = text.at(0).unicode();
    if (code == '\b') return code;
    return code >= BlankKey && code < 256 ? code : 0;
}

} // namespace

CellTextEditor::CellTextEditor(QTableView& grid, Job& job, DataEditor& editor, Prompter& prompter, QObject* parent)
    : QObject(parent), grid_(grid), job_(job), editor_(editor), prompter_(prompter) {
    txtCellText_ = new QLineEdit(grid_.viewport());
    txtCellText_->setObjectName("txtCellText");
    txtCellText_->setAccessibleName("Cell text");
    txtCellText_->setFrame(false);
    // A thin coloured border shows which cell takes the typing.
    txtCellText_->setStyleSheet("QLineEdit#txtCellText { border: 1px solid palette(highlight); padding: 0 2px; }");
    txtCellText_->hide();
    txtCellText_->installEventFilter(this);
    grid_.installEventFilter(this);
    gridViewport_ = grid_.viewport();
    gridViewport_->installEventFilter(this);
    connect(grid_.horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        if (session_.IsOpen()) return;
        if (titles_.Click(job_, editor_, col) && onClosed_) onClosed_();
        grid_.setFocus();
    });
    connect(grid_.selectionModel(), &QItemSelectionModel::currentChanged, this, &CellTextEditor::OnCurrentCellChanged);
    // A Shift-click moves the selection's end after the current index, and the
    // core's current row (the selection's anchor) is known only then.
    connect(grid_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CellTextEditor::OnCurrentCellChanged);
}

void CellTextEditor::SetShotButtons(QPushButton* deleteShot, QPushButton* interpolate) {
    cmdDeleteShot_ = deleteShot;
    cmdInterpolateElev_ = interpolate;
    OnCurrentCellChanged();
}

bool CellTextEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCellText_) {
        if (event->type() == QEvent::KeyPress) return OnEditorKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::ShortcutOverride) return OnEditorShortcut(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) OnFocusLeft();
        return false;
    }
    if (watched == &grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) return OnGridKey(BlankKey);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        const int code = CharacterOf(*key);
        return code != 0 && OnGridKey(code);
    }
    if (watched == gridViewport_) {
        if (event->type() == QEvent::MouseButtonDblClick) return OnGridKey(BlankKey);
        if (event->type() == QEvent::MouseButtonPress && cmdDeleteShot_) cmdDeleteShot_->setEnabled(true);
    }
    return false;
}

bool CellTextEditor::OnGridKey(int key) {
    if (session_.IsOpen()) return true;
    OpenAt(key);
    return true;
}

void CellTextEditor::OpenAt(int key) {
    const auto opening = session_.Open(editor_.Grid(), key);
    if (!opening) return;
    const auto index = grid_.model()->index(opening->Row - 1, opening->Col);
    grid_.scrollTo(index);
    txtCellText_->setGeometry(grid_.visualRect(index));
    // Aligned as the cell shows its text, so the value does not jump sideways.
    const auto alignment = grid_.model()->data(index, Qt::TextAlignmentRole);
    txtCellText_->setAlignment(alignment.isValid() ? Qt::Alignment(alignment.toInt())
                                                   : Qt::AlignLeft | Qt::AlignVCenter);
    txtCellText_->setText(QString::fromLatin1(opening->Text.data(), static_cast<qsizetype>(opening->Text.size())));
    txtCellText_->setCursorPosition(static_cast<int>(opening->Caret));
    txtCellText_->setToolTip(QString::fromStdString(opening->ToolTip));
    txtCellText_->show();
    txtCellText_->setFocus(Qt::OtherFocusReason);
}

bool CellTextEditor::OnEditorKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        session_.Enter(job_, editor_, prompter_, txtCellText_->text().toLatin1().toStdString());
        Finish(true);
        return true;
    case Qt::Key_Escape:
        session_.Escape(editor_);
        Finish(true);
        return true;
    default:
        break;
    }
    const int code = CharacterOf(*event);
    return code != 0 && session_.FilterKey(code) == 0;
}

// A window shortcut typed into the open editor (Ctrl+PageDown changes the
// line) would act under the editor, which then stores into whatever line is
// shown. The text box keeps its own editing keys; any other shortcut first
// commits the typing, as leaving the box does, then runs.
bool CellTextEditor::OnEditorShortcut(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept(); // they close the editor as key presses
        return true;
    default:
        break;
    }
    event->ignore();
    static_cast<QObject*>(txtCellText_)->event(event);
    if (event->isAccepted() || !session_.IsOpen()) return true;
    session_.Enter(job_, editor_, prompter_, txtCellText_->text().toLatin1().toStdString());
    Finish(true);
    event->ignore();
    return false;
}

void CellTextEditor::OnFocusLeft() {
    if (closing_ || !session_.IsOpen()) return;
    // Focus goes before the click moves the cell, so the core's current cell
    // is still the one the user left; the click then selects where it lands.
    const auto& grid = editor_.Grid();
    session_.FocusLeft(job_, editor_, prompter_, txtCellText_->text().toLatin1().toStdString(), grid.Row(), grid.Col());
    Finish(false);
}

void CellTextEditor::Finish(bool giveGridFocus) {
    closing_ = true;
    // The grid takes the focus before the box hides: hiding the focused box
    // passes the focus on as a Tab would, which moves the grid's current cell.
    if (giveGridFocus) grid_.setFocus(Qt::OtherFocusReason);
    txtCellText_->hide();
    txtCellText_->clear();
    closing_ = false;
    if (onClosed_) onClosed_();
    if (giveGridFocus) grid_.setFocus(Qt::OtherFocusReason);
}

void CellTextEditor::OnCurrentCellChanged() {
    if (cmdInterpolateElev_ && job_.LoadingCount == 0)
        cmdInterpolateElev_->setEnabled(InterpolateEnabled(editor_.Grid()));
}

} // namespace tolvanor::ui
