// SPDX-License-Identifier: GPL-3.0-or-later
// The output command: its refusals, position processing and what it does to
// the editor. Overwrite questions and write failures are tested through the
// batch executable.
#include "output/GenerateOutput.h"
#include "core/Job.h"
#include "processing/LineGeometry.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace tolvanor::testing {
namespace {

namespace fs = std::filesystem;

class FakeEditor : public OutputEditor {
public:
    bool IsVisible() const override { return visible; }
    void SetVisible(bool value) override {
        visible = value;
        log += value ? "show;" : "hide;";
    }
    int SelectedProfileIndex() const override { return selected; }
    void SelectProfile(int index) override {
        selected = index;
        log += "select " + std::to_string(index) + ";";
    }
    void LoadArray() override {
        selected = 0;
        log += "load;";
    }
    void ShowListedProfile() override { log += "redraw;"; }

    bool visible = true;
    int selected = 1;
    std::string log;
};

struct Folder {
    Folder()
        : path(fs::temp_directory_path() /
               ("tolvanor-generate-" + std::to_string(::getpid()) + "-" + std::to_string(counter++))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
    static inline int counter = 0;
    fs::path path;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Line 1 "001" runs due south from (1000, 500) with its shots a little off
// the line; line 2 "002" has no starting point.
void FillJob(Job& job) {
    for (int line = 1; line <= 2; ++line) {
        auto& header = job.Data.EditHeader(line);
        header.ShotCount() = 5;
        for (int shot = 1; shot <= 5; ++shot) {
            auto& record = job.Data.Edit(line, shot);
            record.SeqNum = line * 100 + shot;
            record.Northing = 1000 - 2.0 * shot;
            record.Easting = 500 + (shot % 2 == 0 ? 0.4 : -0.3);
            record.Elevation = 3.0f - static_cast<float>(shot);
            record.DistDownRange = static_cast<float>(2 * shot);
            record.SetProfileNumber(line == 1 ? "001" : "002");
            record.SetRemark("PRO" + std::to_string(line));
        }
    }
    auto& header = job.Data.EditHeader(1);
    header.StartNorthing() = 1000;
    header.StartEasting() = 500;
    header.LineAngle() = 0;
    job.LineCount = 2;
}

GenerateOptions CsvInto(const Folder& folder) {
    GenerateOptions options;
    options.Csv = true;
    options.Folder = folder.path.string();
    options.Writer.Prefix = "job";
    return options;
}

// The two-line job, .csv into a fresh folder.
class GenerateOutputTest : public ::testing::Test {
protected:
    void SetUp() override { FillJob(job); }
    GenerateResult Run(OutputEditor* withEditor = nullptr) {
        return GenerateOutput(job, options, withEditor, prompter);
    }

    Folder folder;
    Job job{10, 20};
    GenerateOptions options = CsvInto(folder);
    ScriptedPrompter prompter;
    FakeEditor editor;
};

TEST(GenerateOutput, RefusesInOrderWithoutTouchingAnything) {
    Folder folder;
    struct Case {
        const char* what;
        std::function<void(Job&, GenerateOptions&)> change;
        const char* message;
    };
    const std::vector<Case> cases{
        {"no data", [](Job& job, GenerateOptions&) { job.LineCount = 0; },
         "No data available for output. Please choose input file and load New data."},
        {"only the BPAS box", [](Job&, GenerateOptions& o) { o.Csv = false, o.IsrpBpas = true; },
         "No output format selected.  Please select at least one format."},
        {"no prefix", [](Job&, GenerateOptions& o) { o.Writer.Prefix.clear(); },
         "Please select a File Name Prefix before generating output."},
        {"ISRP without a date", [](Job&, GenerateOptions& o) { o.Isrp = true, o.Writer.LocalityCode = "AB"; },
         "Please complete all ISRP constant fields before generating ISRP output."},
    };
    for (const auto& c : cases) {
        Job job(10, 20);
        FillJob(job);
        auto options = CsvInto(folder);
        options.PosnProcessing = 3;
        options.ThinMethod = "Number to Ignore";
        c.change(job, options);
        const Job before = job;
        ScriptedPrompter prompter;
        FakeEditor editor;
        const auto result = GenerateOutput(job, options, &editor, prompter);
        EXPECT_EQ(result.Status, GenerateStatus::Refused) << c.what;
        EXPECT_EQ(prompter.Messages(), std::vector<std::string>{c.message}) << c.what;
        EXPECT_TRUE(fs::is_empty(folder.path)) << c.what;
        EXPECT_EQ(editor.log, "") << c.what;
        for (int line = 0; line <= 2; ++line)
            for (int shot = 0; shot <= 5; ++shot) EXPECT_EQ(job.Data.At(line, shot), before.Data.At(line, shot));
    }
}

TEST_F(GenerateOutputTest, BlankPrefixAndSeWithoutIsrpConstantsPass) {
    options.Writer.Prefix = " ";
    options.Csv = false;
    options.Se = true;
    EXPECT_EQ(Run().Status, GenerateStatus::Finished);
    EXPECT_TRUE(fs::exists(folder.File(" .se")));
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Any valid output file types have been created in the specified folder!"});
}

// Many lines at odd angles, straightened side by side: each exactly as the
// single-line command straightens it. Line 23 has no starting point: the
// user is asked; on OK the rest are straightened too, on Cancel those after
// it are not, nothing is thinned or written and the editor stays hidden.
TEST(GenerateOutput, StraightensManyLinesAsOneByOneAndStopsWhereCancelled) {
    for (const auto answer : {MessageAnswer::Ok, MessageAnswer::Cancel}) {
        const bool cancel = answer == MessageAnswer::Cancel;
        Folder folder;
        Job job(60, 300);
        for (int line = 1; line <= 40; ++line) {
            const int shots = 20 + (line * 37) % 250;
            job.Data.EditHeader(line).ShotCount() = shots;
            for (int shot = 1; shot <= shots; ++shot) {
                auto& record = job.Data.Edit(line, shot);
                record.Northing = 4108000 + 3.1 * shot + 0.37 * ((shot * line) % 11);
                record.Easting = 512000 - 1.7 * shot + 0.29 * ((shot + line) % 7);
                record.SetProfileNumber(std::to_string(line));
            }
            if (line == 23) continue;
            auto& header = job.Data.EditHeader(line);
            header.StartNorthing() = 4108000 - line;
            header.StartEasting() = 512000 + line;
            header.LineAngle() = static_cast<float>((line * 47) % 360);
        }
        job.LineCount = 40;
        Job expected = job;
        ScriptedPrompter quiet;
        for (int line = 1; line < (cancel ? 23 : 41); ++line) {
            std::int32_t first = 0;
            std::int32_t last = 0;
            if (line != 23) NormalizeLine(expected, line, first, last, quiet);
        }
        auto options = CsvInto(folder);
        options.PosnProcessing = cancel ? 3 : 1;
        options.ThinMethod = "Number to Ignore";
        ScriptedPrompter prompter;
        prompter.QueueAnswer(answer);
        FakeEditor editor;
        const auto result = GenerateOutput(job, options, &editor, prompter);
        for (int line = 1; line <= 40; ++line) {
            for (int shot = 1; shot <= job.ShotCount(line); ++shot)
                ASSERT_EQ(job.Data.At(line, shot), expected.Data.At(line, shot)) << line << ' ' << shot;
        }
        ASSERT_GE(prompter.Calls().size(), 1u);
        const auto& question = prompter.Calls()[0].Message;
        EXPECT_EQ(question.Text, "Unable to normalize line 23\rThis line will not be normalized.");
        EXPECT_EQ(question.Buttons, MessageButtons::OkCancel);
        if (!cancel) {
            EXPECT_EQ(prompter.Calls().size(), 2u) << "the question, then the final message";
            // Hidden, reloaded with its selection kept, redrawn and shown again.
            EXPECT_EQ(editor.log, "hide;load;select 1;redraw;show;");
            continue;
        }
        EXPECT_EQ(result.Status, GenerateStatus::Cancelled);
        EXPECT_EQ(prompter.Messages().size(), 1u) << "no final message";
        EXPECT_TRUE(fs::is_empty(folder.path));
        EXPECT_EQ(editor.log, "hide;") << "the editor stays hidden and is not reloaded";
    }
}

TEST_F(GenerateOutputTest, ThinsEveryLineOnOutput) {
    options.PosnProcessing = 2;
    options.ThinMethod = "Number to Ignore";
    options.ThinIncrement = "1";
    Run();
    for (int line = 1; line <= 2; ++line) {
        for (int shot = 1; shot <= 5; ++shot) EXPECT_EQ(job.Data.At(line, shot).Ignore, shot % 2 == 0);
    }
    EXPECT_EQ(ReadAll(folder.File("job.csv")).find("102,"), std::string::npos);
}

TEST_F(GenerateOutputTest, NeverAsksInFilePerLineMode) {
    options.Writer.Mode = FileMode::FilePerLine;
    std::ofstream(folder.File("job.csv")) << "old";
    std::ofstream(folder.File("job_001.csv")) << "old";
    const auto result = Run();
    EXPECT_EQ(prompter.Messages().size(), 1u);
    EXPECT_FALSE(result.FormatSkipped);
    EXPECT_NE(ReadAll(folder.File("job_001.csv")), "old");
    EXPECT_EQ(result.FilesWritten, (std::vector<std::string>{folder.File("job_001.csv"), folder.File("job_002.csv")}));
}

} // namespace
} // namespace tolvanor::testing
