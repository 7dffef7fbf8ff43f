// SPDX-License-Identifier: GPL-3.0-or-later
// A starting-point file typed into the starting-point window and merged from
// the main window places every shot where tolvanor-batch places it with a
// hand-written file of the same entries.
#include "ui/main/MainWindowTestSupport.h"
#include "ui/startpoints/StartingPointsWindow.h"

#include "core/Text.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <tuple>
#include <vector>

using tolvanor::testing::SamplePath;
using tolvanor::testing::SessionRun;

namespace {

// Profile, easting, northing and distance down range of one shot.
using Shot = std::tuple<std::string, double, double, double>;

std::vector<Shot> ShotsOf(const tolvanor::Job& job) {
    std::vector<Shot> shots;
    for (std::int32_t line = 1; line <= job.LineCount; ++line) {
        for (std::int32_t shot = 1; shot <= job.ShotCount(line); ++shot) {
            const auto& record = job.Data.At(line, shot);
            shots.emplace_back(job.LineName(line), record.Easting, record.Northing, record.DistDownRange);
        }
    }
    std::sort(shots.begin(), shots.end());
    return shots;
}

// The shots of a saved job file (header lines, shot number 0, left out).
std::vector<Shot> ShotsOf(const QString& jobFile) {
    std::vector<Shot> shots;
    std::ifstream file(jobFile.toStdString(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fields = tolvanor::SplitFields(line, ',');
        if (fields.size() < 12 || tolvanor::TrimBlanks(fields[1]) == "0") continue;
        shots.emplace_back(std::string(fields[11]), std::stod(std::string(fields[3])),
                           std::stod(std::string(fields[4])), std::stod(std::string(fields[7])));
    }
    std::sort(shots.begin(), shots.end());
    return shots;
}

} // namespace

class MergeFromMainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void TypedFileMergesAsTheBatchCommandsHandWrittenOne() {
        QTemporaryDir dir;
        const QString source = SamplePath("survey-processed.xyz");
        const QString handWritten = SamplePath("survey.spf");
        const QString batchJob = dir.filePath("batch.tvn");
        QCOMPARE(tolvanor::testing::RunBatch({"--type", "2", "--spf", handWritten, "--save-job", batchJob, source},
                                             dir.path()),
                 0);
        const auto expected = ShotsOf(batchJob);
        QVERIFY(expected.size() > 20);

        SessionRun run(dir.path());
        run.Show();
        run.Load(source, 2);
        QVERIFY(run.GetJob().LineCount >= 4);

        QTest::mouseClick(run.Controls().cmdCreateSPFile, Qt::LeftButton);
        auto& window = run.Session().StartingPoints();
        QVERIFY(window.isVisible());
        const auto entries = tolvanor::testing::FileBytes(handWritten).split('\n');
        for (const auto& entry : entries) {
            const auto fields = QString::fromLatin1(entry.trimmed()).split(',');
            if (fields.size() != 4) continue;
            for (int box = 0; box < 4; ++box) {
                window.EditBox(box)->setFocus();
                QTest::keyClicks(window.EditBox(box), fields[box]);
            }
            QTest::keyClick(window.EditBox(3), Qt::Key_Return);
        }
        const QString made = dir.filePath("typed.spf");
        run.Prompter().QueueText(made.toStdString());
        QTest::mouseClick(window.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>("cmdQuit"), Qt::LeftButton);
        QVERIFY(!window.isVisible());

        run.Controls().txtStartingPointFile->setText(made);
        QTest::mouseClick(run.Controls().cmdMergeStartingPoints, Qt::LeftButton);

        const auto merged = ShotsOf(run.GetJob());
        QCOMPARE(merged.size(), expected.size());
        int placed = 0;
        for (std::size_t i = 0; i < merged.size(); ++i) {
            const auto& [profile, easting, northing, distance] = merged[i];
            QCOMPARE(profile, std::get<0>(expected[i]));
            QCOMPARE(easting, std::get<1>(expected[i]));
            QCOMPARE(northing, std::get<2>(expected[i]));
            // The batch command's pass through the grid keeps distances to the grid's 0.1.
            QVERIFY2(std::abs(distance - std::get<3>(expected[i])) <= 0.05 + 1e-9,
                     (profile + " " + std::to_string(distance)).c_str());
            placed += distance != 0.0;
        }
        // Lines 011 and 013 are placed; with three-digit numbers entry 12 becomes 012,
        // whose key is not that of 12A and 12B, in both programs alike.
        QVERIFY2(placed > static_cast<int>(merged.size()) / 3, std::to_string(placed).c_str());
    }
};

QTEST_MAIN(MergeFromMainWindowTest)
#include "MergeFromMainWindowTest.moc"
