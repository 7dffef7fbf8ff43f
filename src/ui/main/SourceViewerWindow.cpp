// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/SourceViewerWindow.h"

#include "core/Prompter.h"
#include "ui/common/QtText.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace tolvanor::ui {
namespace {

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Source files are 8-bit text: shown as UTF-8 when they are valid UTF-8,
// else byte for byte (Latin-1), so saving gives back every byte unchanged.
bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

SourceViewerWindow::SourceViewerWindow(Prompter& prompter, QWidget* owner)
    : QWidget(owner, Qt::Window), prompter_(prompter) {
    setObjectName("frmDisplaySourceData");
    setWindowTitle(Latin(SourceViewerCaption));
    BuildControls();
    resize(760, 560);
    if (owner != nullptr) owner->installEventFilter(this);
}

void SourceViewerWindow::BuildControls() {
    auto* label = new QLabel("&File:", this);
    fileName_ = new QLineEdit(this);
    fileName_->setObjectName("txtFileName");
    fileName_->setReadOnly(true);
    fileName_->setAccessibleName("File");
    label->setBuddy(fileName_);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("rtfTextBox");
    text_->setAccessibleName("Source text");
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(text_->document(), &QTextDocument::contentsChanged, this, [this] { modified_ = true; });

    save_ = new QPushButton("&Save", this);
    save_->setObjectName("cmdSave");
    save_->setAccessibleName("Save");
    save_->setToolTip("Save the text to a file");
    quit_ = new QPushButton("&Quit", this);
    quit_->setObjectName("cmdQuit");
    quit_->setAccessibleName("Quit");
    quit_->setToolTip("Close the viewer");
    connect(save_, &QPushButton::clicked, this, [this] { Save(); });
    connect(quit_, &QPushButton::clicked, this, [this] { Quit(); });
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, [this] { Save(); });
    auto* quitKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(quitKey, &QShortcut::activated, this, [this] { Quit(); });

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(fileName_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(quit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    setTabOrder(text_, save_);
    setTabOrder(save_, quit_);
    setTabOrder(quit_, fileName_);
}

bool SourceViewerWindow::Load(const QString& textFile, const QString& sourcePath) {
    QFile file(textFile);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    const std::string_view raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    lineEnding_ = DetectLineEnding(raw);
    utf8_ = IsUtf8(bytes);
    const QString text = utf8_ ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    // Qt keeps "\n" only; the file's own line end is put back on saving.
    QString plain = text;
    plain.replace("\r\n", "\n").replace('\r', '\n');
    text_->setPlainText(plain);
    fileName_->setText(sourcePath);
    fileName_->setCursorPosition(static_cast<int>(sourcePath.size()));
    text_->setFocus();
    modified_ = false;
    return opened;
}

QString SourceViewerWindow::FileName() const {
    return fileName_->text();
}

QString SourceViewerWindow::Text() const {
    return text_->toPlainText();
}

bool SourceViewerWindow::Save() {
    const std::string path = AskViewerSaveName(prompter_, PathFromQt(fileName_->text()));
    if (path.empty()) return false;
    const QString plain = text_->toPlainText();
    const QByteArray encoded = utf8_ ? plain.toUtf8() : plain.toLatin1();
    const std::string bytes =
        WithLineEnding(std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())), lineEnding_);
    // Written beside the target and renamed over it, so a failed save
    // never leaves half a file.
    QSaveFile file(PathToQt(path));
    const bool written =
        file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
        file.commit();
    if (!written) {
        prompter_.Message(MessageRequest{ViewerSaveFailedMessage(path, PathFromQt(file.errorString())),
                                         {},
                                         MessageButtons::Ok,
                                         MessageIcon::Exclamation});
        return false;
    }
    modified_ = false;
    return true;
}

bool SourceViewerWindow::Quit() {
    return close();
}

void SourceViewerWindow::closeEvent(QCloseEvent* event) {
    if (modified_ && !ConfirmDiscardViewerChanges(prompter_)) {
        event->ignore();
        return;
    }
    event->accept();
}

bool SourceViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parent() || event->type() != QEvent::Close || !isVisible() || !modified_) return false;
    if (ConfirmDiscardViewerChanges(prompter_)) return false;
    event->ignore();
    return true;
}

} // namespace tolvanor::ui
