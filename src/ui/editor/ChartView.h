// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <array>
#include <functional>
#include <vector>

namespace tolvanor {
class ChartModel;
struct ChartCurve;
class Prompter;
} // namespace tolvanor

namespace tolvanor::ui {

// One editor chart: draws a core ChartModel with QCustomPlot and turns the
// mouse into the chart gestures the editor knows (cursor moves, Shift-drag
// edits, clicks, right-drag moves), with a small tool bar of captioned
// buttons and a context menu to save or print the chart.
class FastCurve;

class ChartView : public QCustomPlot {
    Q_OBJECT
public:
    ChartView(ChartModel& model, Prompter& prompter, QWidget* parent = nullptr);
    ~ChartView() override;

    ChartModel& Model() noexcept { return model_; }
    // Adds a captioned button to the chart's tool bar; returns its index.
    int AddToolButton(const QString& caption, const QString& toolTip);
    QAbstractButton* ToolButton(int index) const;
    // Wheel zoom, drag pan and "Reset view" in the context menu.
    void SetPanZoom(bool on) noexcept { panZoom_ = on; }
    // Asked at a right-button press: may the chart be moved now?
    void SetMoveAllowed(std::function<bool()> allowed) { moveAllowed_ = std::move(allowed); }

    // Draws what changed in the model now (normally done when the event loop runs).
    void Flush();
    // A widget position in chart coordinates.
    QPointF ToChart(QPointF pixel) const;
    // Pixels per chart unit along x and y.
    QPointF PixelsPerUnit() const;
    // Saves the chart as an image file; the format comes from the extension.
    bool SaveAs(const QString& fileName);

signals:
    void ToolButtonClicked(int index);
    // A mouse move with the left button and Shift down, in chart coordinates.
    void ShiftDragged(QPointF position);
    void ShiftDragStarted();
    // The user moved one of the cursors.
    void CursorMoved();
    // A left click (press and release without a drag); the modifiers are the press's.
    void Clicked(QPointF position, Qt::KeyboardModifiers modifiers);
    // A right-button move of the chart window ended at its new place.
    void MoveEnded(QPoint topLeft);

protected:
    // The curves as QCustomPlot plottables; the plan view draws its own way.
    virtual void SyncCurves();
    // Only the enable/mark/offset state changed.
    virtual void SyncStyle() { SyncCurves(); }
    virtual void SyncRanges();
    QPen CurvePen(const ChartCurve& curve, bool first) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    ChartModel& model_;
    // Set by a subclass that redraws part of the chart itself.
    bool styleOnlyReplot_ = false;

private:
    enum class Drag { None, Cursor, Edit, Pan, Click, Move };
    void OnModelChanged(unsigned changes);
    void SyncCursors();
    void WriteRangesToModel();
    int CursorNear(double pixelX) const;
    void ShowContextMenu(QPoint globalPos);
    void ExportTo(const char* label, const char* extension);
    void Print();

    Prompter& prompter_;
    int observer_ = 0;
    unsigned dirty_ = 0;
    bool scheduled_ = false;
    bool panZoom_ = false;
    std::function<bool()> moveAllowed_;
    std::vector<FastCurve*> curves_;
    std::array<QCPItemStraightLine*, 2> cursorLines_{};
    std::array<QCPItemTracer*, 2> cursorMarks_{};
    QWidget* toolBar_ = nullptr;
    std::vector<QAbstractButton*> toolButtons_;

    Drag drag_ = Drag::None;
    int dragCursor_ = -1;
    QPointF pressPos_;
    QPoint pressGlobal_;
    QPoint pressTopLeft_;
    Qt::KeyboardModifiers pressModifiers_;
    QCPRange panX_;
    QCPRange panY_;
};

// A colour value of the core (blue-green-red) as a Qt colour.
QColor ChartColour(int value);

} // namespace tolvanor::ui
