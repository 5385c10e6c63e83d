#include "AnalysisWindowRig.h"
#include "AngleDlg.h"
#include "AngleWindowLogic.h"
#include "DisplacementDlg.h"
#include "DisplacementWindowLogic.h"
#include "DistanceDlg.h"
#include "DistanceWindowLogic.h"
#include "QtTestApp.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

// WALK on the image display and an analysis window open on it.
template <typename Logic, typename Dialog> struct DialogRig {
    DialogRig() {
        store.InitImageSys();
        FillWalk(&document.Track(), &document.Info());
        display.SetTrackFile(&document.Track());
        logic.SetControls(&dialog);
        logic.InitWindow();
        logic.Activate();
    }
    template <typename Widget> Widget* Find(const char* name) {
        return dialog.template findChild<Widget*>(QString::fromLatin1(name));
    }

    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MeasureDocument document{prompter};
    Recorded<AnalysisControls> results; // its controls unused
    Logic logic{document, display, results};
    Dialog dialog{logic};
};

class AnalysisDialogs : public QtTest {};

} // namespace

TEST_F(AnalysisDialogs, ShowTheFieldsAndReadThemBackKeepingWhatWasTyped) {
    DialogRig<DisplacementWindowLogic, DisplacementDlg> rig;
    rig.dialog.WriteControls({{2, 3, 0, 5, 7, {1}, {0, 2}, Grouping::ByFrame}, false});
    rig.dialog.WriteReference({ReferenceMode::Target, 2, 1, "(    5 ,    7 )"});
    rig.Find<QLineEdit>("upper")->setText(QStringLiteral("x3"));
    AnalysisFields back;
    DisplacementFields reference;
    rig.dialog.ReadControls(&back);
    rig.dialog.ReadReference(&reference);
    const AnalysisRange& r = back.range;
    EXPECT_EQ(std::make_tuple(r.lower, r.upper, r.lengthUnit, r.smoothing, r.targets, r.items,
                              r.grouping, back.showMarks, reference.reference,
                              reference.referenceFrame, reference.referenceTarget),
              std::make_tuple(2, -1, 0, 7, std::vector<int>{1}, std::vector<int>{0, 2},
                              Grouping::ByFrame, false, ReferenceMode::Target, 2, 1));
    rig.dialog.WriteControls(back);
    EXPECT_EQ(std::make_tuple(rig.Find<QLineEdit>("upper")->text(),
                              rig.Find<QLabel>("referencePosition")->text(),
                              rig.Find<QWidget>("setTargets")->isVisibleTo(&rig.dialog)),
              std::make_tuple(QStringLiteral("x3"), QStringLiteral("(    5 ,    7 )"), true));
}

TEST_F(AnalysisDialogs, PassTheirButtonsToTheLogicAndEnableThePicks) {
    DialogRig<DistanceWindowLogic, DistanceDlg> distance;
    distance.Find<QComboBox>("first")->setCurrentIndex(1);
    distance.Find<QComboBox>("second")->setCurrentIndex(0);
    distance.Find<QAbstractButton>("add")->click();
    auto* pairs = distance.Find<QListWidget>("pairs");
    EXPECT_EQ(std::make_tuple(pairs->count(), pairs->currentRow(),
                              distance.Find<QComboBox>("colour")->currentIndex()),
              std::make_tuple(1, 0, 1));
    distance.Find<QAbstractButton>("remove")->click();
    EXPECT_EQ(pairs->count(), 0);

    DialogRig<AngleWindowLogic, AngleDlg> angle;
    const auto enabled = [&angle] {
        std::vector<bool> on;
        for (const char* name : {"p1", "p2", "p3", "p4", "otherSide"})
            on.push_back(angle.Find<QWidget>(name)->isEnabled());
        return on;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, false, false}));
    angle.Find<QAbstractButton>("twoLines")->click();
    angle.display.SetPage(2);
    for (QPoint click : {QPoint(6, 8), QPoint(2, 0), QPoint(6, 8)})
        angle.display.DoDisplayLButtonDown(1, click);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false}));
    EXPECT_EQ(angle.Find<QComboBox>("p3")->currentText(), QStringLiteral("目标1"));
}
