// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvanor {

// Colour values are blue-green-red: 255 is red, 16776960 cyan.
constexpr std::int32_t ChartRed = 255;
constexpr std::int32_t ChartCyan = 16776960;
// A curve without a colour of its own takes the default colour of its order.
constexpr std::int32_t DefaultChartColour = -1;

struct ChartCurve {
    std::string Name;
    std::vector<double> X;
    std::vector<double> Y;
    std::int32_t Colour = DefaultChartColour;
    int Order = 0; // place among the data curves when added: picks the default colour
    bool Enabled = true;
    bool Marked = false;
    double XOffset = 0; // shift the drawn curve; the points stay
    double YOffset = 0;
    bool Dashed = false; // the line attribute

    std::size_t Count() const noexcept { return X.size(); }
};

struct AxisRange {
    double From = 0;
    double To = 1;
    bool Reversed() const noexcept { return From > To; }
    double Low() const noexcept { return From < To ? From : To; }
    double High() const noexcept { return From < To ? To : From; }
};

struct ChartCursor {
    double X = 0;
    double Y = 0;
    int PointIndex = -1; // on the first data curve; -1 when not on it
};

// What changed in a chart, for its view.
enum ChartChange : unsigned {
    ChartCurvesChanged = 1u,  // curves added, removed or their points changed
    ChartStyleChanged = 2u,   // enable, mark, offsets, line attribute
    ChartRangeChanged = 4u,   // axis bounds
    ChartCursorsChanged = 8u, // cursor positions, on/off, active
    ChartLegendChanged = 16u,
};

// One chart as plain data: data curves and overlay curves by name, two
// cursors, axis bounds, the legend switch, and x axes coupled to it. The
// widget only draws what this holds and reports the user's gestures back.
class ChartModel {
public:
    using Observer = std::function<void(unsigned changes)>;

    ChartModel(std::string title = {}, std::string xTitle = {}, std::string yTitle = {});

    const std::string& Title() const noexcept { return title_; }
    const std::string& XTitle() const noexcept { return xTitle_; }
    const std::string& YTitle() const noexcept { return yTitle_; }

    // Data curves: the first is the line being edited.
    ChartCurve& AddCurve(std::string_view name, std::span<const double> x, std::span<const double> y,
                         std::int32_t colour = DefaultChartColour);
    std::vector<ChartCurve>& Curves() noexcept { return curves_; }
    const std::vector<ChartCurve>& Curves() const noexcept { return curves_; }
    ChartCurve* FindCurve(std::string_view name) noexcept;
    const ChartCurve* FindCurve(std::string_view name) const noexcept;
    ChartCurve* FirstCurve() noexcept { return curves_.empty() ? nullptr : &curves_.front(); }
    void RemoveCurves();
    // Replaces the points of the named curve, or adds it.
    ChartCurve& SetCurvePoints(std::string_view name, std::span<const double> x, std::span<const double> y);

    // Overlay curves ("Template", "Copied Data", "Shadow") in a second collection.
    ChartCurve& AddOverlay(std::string_view name, std::span<const double> x, std::span<const double> y,
                           std::int32_t colour);
    std::vector<ChartCurve>& Overlays() noexcept { return overlays_; }
    const std::vector<ChartCurve>& Overlays() const noexcept { return overlays_; }
    ChartCurve* FindOverlay(std::string_view name) noexcept;
    void RemoveOverlay(std::string_view name);
    void RemoveOverlays();

    // Marks the named data curve and clears the mark of every other one.
    void MarkOnly(std::string_view name);

    const AxisRange& XRange() const noexcept { return x_; }
    const AxisRange& YRange() const noexcept { return y_; }
    // Setting the x range passes it on to the coupled charts.
    void SetXRange(AxisRange range);
    void SetYRange(AxisRange range);
    // Fits both axes to the enabled curves' points (a little air around
    // them), keeping the direction of each axis.
    void Autoscale();
    void AutoscaleY();
    void CoupleX(std::vector<ChartModel*> charts) { coupled_ = std::move(charts); }
    const std::vector<ChartModel*>& CoupledX() const noexcept { return coupled_; }

    bool CursorsOn() const noexcept { return cursorsOn_; }
    void SetCursorsOn(bool on);
    int ActiveCursor() const noexcept { return activeCursor_; }
    void SetActiveCursor(int index);
    const ChartCursor& Cursor(int index) const noexcept { return cursors_[index == 0 ? 0 : 1]; }
    // Puts a cursor at a position; its point index is the first curve's
    // point at that position as the grid shows it (within 0.05), or -1.
    void SetCursor(int index, double x, double y);
    // Puts a cursor on the first curve's point nearest to x.
    void SnapCursor(int index, double x);

    bool LegendShown() const noexcept { return legend_; }
    void SetLegendShown(bool shown);

    // The index of the first curve's point nearest to x (ties: the first), -1 without points.
    int NearestPointByX(double x) const noexcept;
    // The data curve with a point nearest to (x, y) in units where one x step
    // is `xScale` and one y step `yScale` (pixels per unit); -1 when none lies
    // within `tolerance` of those units.
    int NearestCurve(double x, double y, double xScale, double yScale, double tolerance) const noexcept;

    // Observers hear of changes; inside Begin/EndUpdate once at the end.
    int AddObserver(Observer observer);
    void RemoveObserver(int id);
    void BeginUpdate() noexcept { ++updateDepth_; }
    void EndUpdate();
    void Notify(unsigned changes);

    static std::int32_t DefaultColour(int order) noexcept;
    // Counts the changes of curves and points, so a view can keep what it drew.
    std::uint64_t CurvesGeneration() const noexcept { return generation_; }

private:
    std::string title_;
    std::string xTitle_;
    std::string yTitle_;
    std::vector<ChartCurve> curves_;
    std::vector<ChartCurve> overlays_;
    AxisRange x_;
    AxisRange y_;
    std::vector<ChartModel*> coupled_;
    std::array<ChartCursor, 2> cursors_{};
    bool cursorsOn_ = false;
    int activeCursor_ = 1;
    bool legend_ = false;
    int nextOrder_ = 0;

    struct Listener {
        int Id;
        Observer Call;
    };
    std::vector<Listener> observers_;
    int nextObserverId_ = 1;
    int updateDepth_ = 0;
    unsigned pending_ = 0;
    std::uint64_t generation_ = 0;
};

// Keeps a bulk change of a chart from reaching its view step by step.
class ChartUpdate {
public:
    explicit ChartUpdate(ChartModel& chart) : chart_(chart) { chart_.BeginUpdate(); }
    ~ChartUpdate() { chart_.EndUpdate(); }
    ChartUpdate(const ChartUpdate&) = delete;
    ChartUpdate& operator=(const ChartUpdate&) = delete;

private:
    ChartModel& chart_;
};

} // namespace tolvanor
