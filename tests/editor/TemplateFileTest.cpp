// SPDX-License-Identifier: GPL-3.0-or-later
// The template file: keys, the pairs taken from a line, and the messages of
// the template controls.
#include "editor/TemplateFile.h"
#include "editor/EditTestSupport.h"
#include "editor/EditorPlots.h"
#include "editor/TemplateOverlay.h"
#include "support/TestTempPath.h"

#include "core/MemorySettingsStore.h"

#include <filesystem>
#include <fstream>

namespace tolvanor {
namespace {

struct KeyCase {
    const char* TemplateName;
    const char* LineName;
    bool ThreeDigits;
    bool Matches;
};

class TemplateKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TemplateKeyTest, MatchesByTheLinesNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(TemplateKey(c.TemplateName, c.ThreeDigits) == LineTemplateKey(c.LineName), c.Matches)
        << c.TemplateName << " / " << c.LineName;
}

INSTANTIATE_TEST_SUITE_P(Keys, TemplateKeyTest,
                         ::testing::Values(KeyCase{"PRO12", "12", false, true}, KeyCase{"pro12", "12", false, true},
                                           KeyCase{"XYZ12", "12", false, true}, KeyCase{"PRO12", "12A", false, true},
                                           KeyCase{"PRO12", "012", true, true}, KeyCase{"PRO12", "12", true, false},
                                           KeyCase{"PRO12", "012", false, false},
                                           KeyCase{"PRO12 extra words", "12", false, true},
                                           KeyCase{"PRO112", "12", false, false}));

TEST(TemplateFileTest, TakesCompleteNumericPairsOfTheFirstMatch) {
    const std::vector<std::string> lines = {
        "PRO11,0,1",
        "PRO12,0,3.5,25.5,1.2,40", // odd value dropped
        "PRO12,9,9",               // second match ignored
    };
    const auto points = FindTemplate(lines, "12", false);
    ASSERT_TRUE(points);
    EXPECT_EQ(points->Distance, (std::vector<float>{0.0f, 25.5f}));
    EXPECT_EQ(points->Elevation, (std::vector<float>{3.5f, 1.2f}));

    const std::vector<std::string> odd = {"PRO7, 1 ,2,x,4,5,6", "PRO8"};
    EXPECT_EQ(FindTemplate(odd, "7", false)->Distance, (std::vector<float>{1.0f, 5.0f}));
    EXPECT_EQ(FindTemplate(odd, "8", false)->Count(), 0u); // a match without points draws nothing
    EXPECT_FALSE(FindTemplate(odd, "9", false));

    std::string many = "PRO5";
    for (int i = 0; i < 150; ++i) many += "," + std::to_string(i) + ",1";
    EXPECT_EQ(FindTemplate(std::vector<std::string>{many}, "5", false)->Count(), TemplateProfile::MaxPoints);
}

class TemplateOverlayTest : public testing::EditorFixture {
protected:
    std::filesystem::path path = testing::TestTempPath("editcore-template.tvt");
    MemorySettingsStore settings;
    EditorPlots charts{job, editor, prompter};
    TemplateOverlay overlay;

    void SetUp() override {
        std::ofstream(path) << "PRO12,0,3.5,25.5,1.2\r\nPRO13,0,1\r\n";
        testing::AddLine(job, {"12", 5});
        editor.SetPlotSink(&charts);
        Show();
    }
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(TemplateOverlayTest, DrawsTheLinesTemplateDashed) {
    overlay.SetFileName(path.string(), prompter, charts.Options());
    EXPECT_EQ(overlay.Draw(charts, job, false, prompter), 2u);
    const auto* curve = charts.Chart(PlotId::Elevation).FindOverlay("Template");
    ASSERT_NE(curve, nullptr);
    EXPECT_TRUE(curve->Dashed);
    EXPECT_EQ(curve->X, (std::vector<double>{0.0, 25.5}));
}

TEST_F(TemplateOverlayTest, MissingFilesSwitchTheTemplateOffWithTheirMessages) {
    charts.Options().ShowTemplate = true;
    overlay.SetFileName("", prompter, charts.Options());
    EXPECT_FALSE(charts.Options().ShowTemplate);
    charts.Options().ShowTemplate = true;
    overlay.SetFileName((path.parent_path() / "none.tvt").string(), prompter, charts.Options());
    EXPECT_FALSE(charts.Options().ShowTemplate);
    EXPECT_EQ(overlay.Draw(charts, job, false, prompter), 0u);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<std::string>{"This Template file does not exist, please select a valid template file.",
                                        "Selected file name does not exist."}));
}

TEST_F(TemplateOverlayTest, SelectingAFileRemembersIt) {
    prompter.QueueText(path.string());
    EXPECT_TRUE(overlay.SelectFile(prompter, settings, charts.Options()));
    EXPECT_EQ(prompter.Calls().front().File.Filter, "Template Files (*.tvt)|*.tvt");
    EXPECT_EQ(settings.Get("TemplateFileName"), path.string());
    EXPECT_FALSE(overlay.SelectFile(prompter, settings, charts.Options())); // cancelled
    EXPECT_EQ(overlay.FileName(), path.string());
}

TEST_F(TemplateOverlayTest, SwitchingOffWithChartEditsAsksToStoreThem) {
    overlay.SetFileName(path.string(), prompter, charts.Options());
    charts.Options().ShowTemplate = true;
    charts.Chart(PlotId::Elevation).SetCursorsOn(true);
    ASSERT_TRUE(charts.DragEdit(PlotId::Elevation, 4.0, 7.0));
    prompter.QueueAnswer(MessageAnswer::No);
    overlay.ToggleShow(charts, settings, prompter);
    EXPECT_EQ(prompter.Messages().back(), "Do you want to save your changes to the Elevations?");
    EXPECT_EQ(settings.Get("ShowTemplate"), "False");
    EXPECT_FLOAT_EQ(job.Data.At(1, 2).Elevation, 1.0f); // No keeps the edit on the chart only
}

} // namespace
} // namespace tolvanor
