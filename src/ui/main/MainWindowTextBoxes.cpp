// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's text boxes: key filters, select-all on entry, and the
// focus rules of the source, starting-point and thin increment boxes.
#include "ui/main/MainWindow.h"

#include "core/MainSettings.h"
#include "core/Prompter.h"
#include "core/SettingsStore.h"
#include "core/Text.h"
#include "processing/OptionRules.h"
#include "ui/common/QtText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace tolvanor::ui {
namespace {

using KeyRule = bool (*)(char32_t) noexcept;

// The filter that decides which typed characters a box takes (null: all).
KeyRule KeyRuleOf(const MainControls& c, const QLineEdit* edit) {
    if (edit == c.txtAppendToProfile) return &AppendTextKeyAccepted;
    if (edit == c.txtElevChange) return &ElevChangeKeyAccepted;
    if (edit == c.txtSurveyDate || edit == c.txtSurveyTime) return &NumericKeyAccepted;
    if (edit == c.txtThinInc) return &ThinIncKeyAccepted;
    return nullptr;
}

bool SelectsAllOnEntry(const MainControls& c, const QLineEdit* edit) {
    return edit == c.txtSourceFileName || edit == c.txtStartingPointFile || edit == c.txtElevChange ||
           edit == c.txtSurveyTime || edit == c.txtThinInc || edit == c.txtAppendToProfile || edit == c.txtLocalityCode;
}

// Keys that type a character; editing and moving keys are never filtered.
bool TypesCharacter(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    return key->key() == Qt::Key_Backspace || text.at(0).isPrint();
}

// Focus lost to another window or a menu is not the user leaving the box.
bool LeftTheBox(const QFocusEvent* focus) {
    return focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason;
}

void PutCaretAtEnd(QLineEdit* edit) {
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
}

} // namespace

void MainWindow::InstallTextBoxRules() {
    auto& c = controls_;
    for (auto* edit : {c.txtSourceFileName, c.txtStartingPointFile, c.txtAppendToProfile, c.txtElevChange, c.txtThinInc,
                       c.txtSurveyDate, c.txtSurveyTime, c.txtLocalityCode}) {
        edit->installEventFilter(this);
    }
    connect(c.txtLocalityCode, &QLineEdit::textEdited, this, [this](const QString& text) {
        controls_.txtLocalityCode->setText(TextToQt(UpperAscii(TextFromQt(text))));
        PutCaretAtEnd(controls_.txtLocalityCode);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        if (TextBoxEvent(edit, event)) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// True when the event is swallowed.
bool MainWindow::TextBoxEvent(QLineEdit* edit, QEvent* event) {
    auto& c = controls_;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const KeyRule rule = KeyRuleOf(c, edit);
        if (rule == nullptr || !TypesCharacter(key)) return false;
        const char32_t typed = key->key() == Qt::Key_Backspace ? 8 : key->text().toUcs4().value(0);
        return !rule(typed);
    }
    case QEvent::FocusIn:
        if (SelectsAllOnEntry(c, edit)) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        return false;
    case QEvent::MouseButtonRelease:
        if (edit == c.txtStartingPointFile) {
            PutCaretAtEnd(edit);
            emit StartingPointFileNamed(edit->text());
        } else if (SelectsAllOnEntry(c, edit) && !edit->hasSelectedText()) {
            edit->selectAll();
        }
        return false;
    case QEvent::FocusOut: {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (!LeftTheBox(focus)) return false;
        if (edit == c.txtSourceFileName) {
            SaveSetting(SettingsKey::SourceFileName, edit->text());
        } else if (edit == c.txtStartingPointFile) {
            PutCaretAtEnd(edit);
            emit StartingPointFileNamed(edit->text());
        } else if (edit == c.txtThinInc && !checkingThinInc_) {
            checkingThinInc_ = true;
            if (ThinIncrementValid(TextFromQt(edit->text()))) {
                SaveSetting(SettingsKey::ThinInc, edit->text());
            } else {
                prompter_.Message(InvalidIncrementMessage);
                edit->setFocus(Qt::OtherFocusReason);
            }
            checkingThinInc_ = false;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace tolvanor::ui
