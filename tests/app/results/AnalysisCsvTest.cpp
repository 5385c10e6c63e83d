// The analyses' CSV tables: WALK's position table as a golden file written
// by hand, and the columns and row order of the others.
#include "AngleAnalysis.h"
#include "CsvFile.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "ExpectedTables.h"
#include "PositionAnalysis.h"
#include "TestFiles.h"

using namespace kova::test;
using Cells = std::vector<std::string>;

TEST(AnalysisCsv, PositionOfWalkIsTheGoldenFileAndTheChartsCarryIt) {
    auto f = MakeWalk();
    PositionAnalysis analysis(f->View(), PositionAnalysis::Initial(f->View()));
    EXPECT_TRUE(analysis.Csv().Empty()); // nothing before Compute
    ASSERT_TRUE(analysis.Compute());
    EXPECT_EQ(kova::CsvFile::Text(analysis.Csv()), ReadBytes(KOVA_WALK_POSITION_CSV));
    EXPECT_EQ(analysis.Charts().csv.rows, analysis.Csv().rows);
}

TEST(AnalysisCsv, ColumnsAndRowOrderFollowTheTables) {
    auto walk = MakeWalk(), turn = MakeTurn(), swing = MakeSwing();
    PositionSettings byFrame = PositionAnalysis::Initial(walk->View());
    byFrame.range = {2, 3, 3, 4, 0, {0, 1}, {2, 5}, Grouping::ByFrame};
    // Along +x the components equal speed and acceleration, smoothed alike.
    Fixture alongX("D:/x.TRK", Calib{1.0f, 3, 1, 1, 4, 0, 0, 0, 1}, {"a"},
                   {{P(0, 0), P(4, 0), P(4, 0), P(10, 0), P(10, 0)}});
    PositionSettings smoothed = PositionAnalysis::Initial(alongX.View());
    smoothed.range.smoothing = 1;
    smoothed.range.items = {3, 4};
    DisplacementSettings fromFrame = DisplacementAnalysis::Initial(turn->View());
    fromFrame.range.lengthUnit = 4;
    DistanceSettings pairs = DistanceAnalysis::Initial(walk->View());
    pairs.pairs = {{1, 0, 0, 0}, {0, 1, 0, 0}};
    AngleSettings elbow = AngleAnalysis::Initial(swing->View());
    elbow.points = {0, 1, 2, -1};
    // The table, its header, its row count, and one row.
    const std::tuple<kova::CsvTable, Cells, std::size_t, std::size_t, Cells> cases[] = {
        {Ran<PositionAnalysis>(*walk, byFrame).Csv(),
         {"frame", "target", "name", "time (s)", "distance (mm)", "error number"},
         4,
         1,
         {"2", "2", "RightKnee1", "0.000000", "", "3"}},
        {Ran<PositionAnalysis>(alongX, smoothed).Csv(),
         {"frame", "target", "name", "time (s)", "speed (mm/s)", "vx (mm/s)", "vy (mm/s)",
          "acceleration (mm/s^2)", "ax (mm/s^2)", "ay (mm/s^2)"},
         5,
         2,
         {"3", "1", "a", "2.000000", "2.500000", "2.500000", "0.000000", "-4.000000", "-4.000000",
          "0.000000"}},
        {Ran<DisplacementAnalysis>(*turn, fromFrame).Csv(),
         {"frame", "target", "name", "time (s)", "dx (cm)", "dy (cm)", "magnitude (cm)"},
         4,
         1,
         {"2", "1", "肘", "0.030000", "2.000000", "-4.000000", "4.472136"}},
        {Ran<DistanceAnalysis>(*walk, pairs).Csv(),
         {"frame", "target 1", "target 2", "name", "time (s)", "distance (mm)"},
         6,
         1,
         {"1", "1", "2", "头 - RightKnee1", "-0.100000", "1.000000"}},
        {Ran<AngleAnalysis>(*swing, elbow).Csv(),
         {"frame", "time (s)", "angle (deg)", "cumulative change (deg)", "angular velocity (deg/s)",
          "angular acceleration (deg/s^2)"},
         5,
         3,
         {"4", "0.300000", "315.000000", "-45.000000", "-450.000000", "13500.000000"}}};
    for (const auto& [csv, header, count, index, row] : cases) {
        EXPECT_EQ(csv.header, header);
        ASSERT_EQ(csv.rows.size(), count) << header.back();
        EXPECT_EQ(csv.rows[index], row) << header.back();
    }
}
