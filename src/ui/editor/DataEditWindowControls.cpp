// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's command band "fraControls": its frames wrap into as many rows
// as the chart column's width needs, so no caption is cut on a narrow window.
#include "ui/editor/DataEditWindow.h"

#include "editor/DataEditor.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace tolvanor::ui {

namespace {

constexpr int BandSpacing = 6;
// The command frames go behind tabs when, side by side, they would take
// more than this share (percent) of the client height from the charts.
constexpr int FlatBandSharePercent = 30;

// Rows of items at their sizes, wrapped to the width: each item goes into the
// first row with room left for it (a new row when none has), so a narrow
// frame fills the gap another row leaves. Gives each item's place and the
// height of all rows.
int WrapRows(const std::vector<QSize>& sizes, const QRect& rect, std::vector<QRect>* places) {
    struct Row {
        int Used = 0;
        int Height = 0;
    };
    std::vector<Row> rows;
    std::vector<std::pair<std::size_t, int>> at; // row and x of each item
    for (QSize size : sizes) {
        size = size.boundedTo(QSize(rect.width(), QWIDGETSIZE_MAX));
        std::size_t row = 0;
        while (row < rows.size() && rows[row].Used + BandSpacing + size.width() > rect.width()) ++row;
        if (row == rows.size()) rows.push_back({-BandSpacing, 0});
        at.emplace_back(row, rows[row].Used + BandSpacing);
        rows[row].Used += BandSpacing + size.width();
        rows[row].Height = std::max(rows[row].Height, size.height());
    }
    std::vector<int> tops(rows.size() + 1, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) tops[row + 1] = tops[row] + rows[row].Height + BandSpacing;
    if (places) {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const QSize size = sizes[i].boundedTo(QSize(rect.width(), QWIDGETSIZE_MAX));
            places->push_back(QRect(QPoint(rect.x() + at[i].second, rect.y() + tops[at[i].first]), size));
        }
    }
    return rows.empty() ? 0 : tops.back() - BandSpacing;
}

// Lays its widgets in rows at their natural sizes (see WrapRows); the band
// is as tall as its rows.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent) : QLayout(parent) { setContentsMargins(0, 0, 0, 0); }
    ~FlowLayout() override {
        while (auto* item = takeAt(0)) delete item;
    }

    void addItem(QLayoutItem* item) override { items_.push_back(item); }
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override {
        return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
    }
    QLayoutItem* takeAt(int index) override {
        if (index < 0 || index >= count()) return nullptr;
        auto* item = items_[static_cast<std::size_t>(index)];
        items_.erase(items_.begin() + index);
        return item;
    }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
    QSize sizeHint() const override { return minimumSize(); }
    QSize minimumSize() const override {
        QSize size;
        for (const auto* item : items_) size = size.expandedTo(item->minimumSize());
        return size;
    }
    void setGeometry(const QRect& rect) override {
        QLayout::setGeometry(rect);
        Arrange(rect, true);
    }

private:
    // Places (or only measures) the shown items in rows; returns the height used.
    int Arrange(const QRect& rect, bool place) const {
        std::vector<QLayoutItem*> shown;
        std::vector<QSize> sizes;
        for (auto* item : items_) {
            if (item->isEmpty()) continue;
            shown.push_back(item);
            sizes.push_back(item->sizeHint());
        }
        std::vector<QRect> places;
        const int height = WrapRows(sizes, rect, place ? &places : nullptr);
        for (std::size_t i = 0; i < places.size(); ++i) shown[i]->setGeometry(places[i]);
        return height;
    }

    std::vector<QLayoutItem*> items_;
};

// Hidden buttons keep their room, so the band does not jump when "Update
// Grid" comes and goes after a chart edit.
void KeepRoomWhenHidden(QWidget* widget) {
    auto policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

void DataEditWindow::BuildControls(QWidget* central) {
    fraControls_ = new QFrame(central);
    fraControls_->setObjectName("fraControls");
    new FlowLayout(fraControls_);
    BuildStartingPointFrame();
    auto* column = new QWidget(fraControls_);
    column->setObjectName("chartCommands");
    commandColumn_ = new QVBoxLayout(column);
    commandColumn_->setContentsMargins(0, 4, 0, 0);
    commandColumn_->setSpacing(3);
    cmdUpdatePlots_ = new QPushButton("Update &Plots", column);
    cmdUpdatePlots_->setObjectName("cmdUpdatePlots");
    cmdUpdatePlots_->setToolTip("Redraw the charts from the survey data (chart edits are dropped)");
    cmdPlotToGrid_ = new QPushButton("Update &Grid", column);
    cmdPlotToGrid_->setObjectName("cmdPlotToGrid");
    cmdPlotToGrid_->setToolTip("Store the edited chart values into this line");
    for (auto* button : {cmdUpdatePlots_, cmdPlotToGrid_}) {
        button->setAccessibleName(button->text().remove('&'));
        KeepRoomWhenHidden(button);
        commandColumn_->addWidget(button);
    }
    commandColumn_->addStretch();
    connect(cmdUpdatePlots_, &QPushButton::clicked, this, &DataEditWindow::UpdatePlots);
    connect(cmdPlotToGrid_, &QPushButton::clicked, this, &DataEditWindow::UpdateGrid);
    fraControls_->layout()->addWidget(column);
}

void DataEditWindow::BuildStartingPointFrame() {
    fraStartingPoint_ = new QGroupBox("Starting Point", fraControls_);
    fraStartingPoint_->setObjectName("fraStartingPoint");
    auto* sp = new QGridLayout(fraStartingPoint_);
    sp->setContentsMargins(6, 2, 6, 4);
    sp->setHorizontalSpacing(4);
    sp->setVerticalSpacing(2);
    lblStartingPoint_ = new QLabel(fraStartingPoint_);
    lblStartingPoint_->setObjectName("lblStartingPoint");
    lblStartingPoint_->setAutoFillBackground(true);
    lblStartingPoint_->setAlignment(Qt::AlignCenter);
    sp->addWidget(lblStartingPoint_, 0, 0, 1, 6);
    const auto addBox = [&](QLineEdit*& box, const char* name, const char* label, const char* tip, int col) {
        auto* caption = new QLabel(label, fraStartingPoint_);
        box = new QLineEdit(fraStartingPoint_);
        box->setObjectName(name);
        box->setReadOnly(true);
        box->setToolTip(tip);
        box->setAccessibleName(tip);
        box->setMinimumWidth(fontMetrics().horizontalAdvance(col == 4 ? " 000.00 " : " 0000000.0000 "));
        box->setMaximumWidth(box->minimumWidth());
        caption->setBuddy(box);
        sp->addWidget(caption, 1, col);
        sp->addWidget(box, 1, col + 1);
    };
    addBox(txtSPEasting_, "txtSPEasting", "&E", "Easting of starting point for this line", 0);
    addBox(txtSPNorthing_, "txtSPNorthing", "&N", "Northing of starting point for this line", 2);
    addBox(txtSPAngle_, "txtSPAngle", "An&gle", "Line angle measured CW from south", 4);
    fraControls_->layout()->addWidget(fraStartingPoint_);
}

void DataEditWindow::AddControlGroup(QGroupBox* group) {
    group->setParent(fraControls_);
    fraControls_->layout()->addWidget(group);
    commandGroups_.push_back({group, group->title()});
    // Behind a tab the frame loses its visible title; screen readers keep it.
    if (group->accessibleName().isEmpty()) group->setAccessibleName(group->title());
    if (tabActions_ != nullptr) return;
    // The tabs come last in the band; hidden while the frames lie side by side.
    tabActions_ = new QTabWidget(fraControls_);
    tabActions_->setObjectName("tabActions");
    tabActions_->setAccessibleName("Editor commands");
    tabActions_->setDocumentMode(true);
    tabActions_->hide();
    fraControls_->layout()->addWidget(tabActions_);
}

void DataEditWindow::SetTabbedControls(bool tabbed) {
    if (tabActions_ == nullptr || tabbed == !tabActions_->isHidden()) return;
    auto* flow = fraControls_->layout();
    const QSignalBlocker block(tabActions_);
    if (tabbed) {
        for (auto& group : commandGroups_) {
            flow->removeWidget(group.Frame);
            group.Frame->setTitle(QString()); // the tab carries the caption
            group.Frame->setStyleSheet("QGroupBox { border: none; margin: 0px; }");
            tabActions_->addTab(group.Frame, group.Caption); // the tabs show one page at a time
        }
        tabActions_->show();
        return;
    }
    tabActions_->hide();
    flow->removeWidget(tabActions_);
    while (tabActions_->count() > 0) tabActions_->removeTab(0);
    for (auto& group : commandGroups_) {
        group.Frame->setParent(fraControls_);
        group.Frame->setTitle(group.Caption);
        group.Frame->setStyleSheet(QString());
        flow->addWidget(group.Frame);
        group.Frame->show();
    }
    flow->addWidget(tabActions_);
}

// Side by side while that leaves the charts enough height, else behind tabs.
void DataEditWindow::ArrangeControls(int width, int clientHeight) {
    if (tabActions_ == nullptr) return;
    if (tabActions_->isHidden()) {
        flatSizes_.clear();
        const auto* flow = fraControls_->layout();
        for (int i = 0; i < flow->count(); ++i)
            if (!flow->itemAt(i)->isEmpty()) flatSizes_.push_back(flow->itemAt(i)->sizeHint());
    }
    const int flatHeight = WrapRows(flatSizes_, QRect(0, 0, width, 0), nullptr);
    SetTabbedControls(flatHeight * 100 > clientHeight * FlatBandSharePercent);
}

void DataEditWindow::AddCommandButton(QPushButton* button) {
    button->setParent(commandColumn_->parentWidget());
    commandColumn_->insertWidget(commandColumn_->count() - 1, button);
}

int DataEditWindow::ControlsHeightFor(int width) const {
    return fraControls_->layout()->heightForWidth(width);
}

} // namespace tolvanor::ui
