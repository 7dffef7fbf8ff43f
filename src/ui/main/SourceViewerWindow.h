// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/SourceViewing.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tolvanor {
class Prompter;
}

namespace tolvanor::ui {

// frmDisplaySourceData, "Source Data File": the internal text viewer of a
// source file. Its edits set its own modified flag, never the job's.
class SourceViewerWindow : public QWidget {
    Q_OBJECT

public:
    explicit SourceViewerWindow(Prompter& prompter, QWidget* owner = nullptr);

    // Loads the text of `textFile` (the temporary copy) and names `sourcePath`
    // in txtFileName; the modified flag is cleared. False (text emptied) when
    // the file cannot be read.
    bool Load(const QString& textFile, const QString& sourcePath);

    bool IsModified() const noexcept { return modified_; }
    QString FileName() const;
    QString Text() const;

    // cmdSave: asks for a name (preset to txtFileName) and writes the text.
    bool Save();
    // cmdQuit: asks first when the text was changed; true when it closed.
    bool Quit();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Closing the owner (the program ending) asks the close question too, so
    // edited text is never dropped without a word.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();

    Prompter& prompter_;
    QLineEdit* fileName_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* quit_ = nullptr;
    bool modified_ = false;
    bool utf8_ = false;
    LineEnding lineEnding_ = LineEnding::CrLf;
};

} // namespace tolvanor::ui
