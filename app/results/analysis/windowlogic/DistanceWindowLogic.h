#pragma once

#include "AnalysisWindowLogic.h"
#include "DistanceControls.h"
#include "DistancePairList.h"
#include "DrawingTools.h"

// The logic of the two-point distance window "2点间距离": the shared analysis
// window over the distance analysis, with its list of target pairs. Left
// clicks on the image fill the two target selectors with the nearest
// targets, a right click takes the last pick back; the image shows every
// pair as a line in its colour and style, the marks, and the selected
// pair's end points filled red.
class DistanceWindowLogic : public AnalysisWindowLogic {
public:
    DistanceWindowLogic(MeasureDocument& document, CImageDisplay& display, ResultWindows& results);

    // The window while it exists (null otherwise).
    void SetControls(DistanceControls* controls) { AnalysisWindowLogic::SetControls(controls); }

    // "添加": the pair of the two selectors, with the colour and style chosen.
    void AddPair();
    // "删除": the selected pair; nothing without a selection.
    void DeletePair();
    // "全部删除": asks first.
    void DeleteAllPairs();
    // The list's selection changed: the image shows it.
    void SelectPair(int index);

    const DistancePairList& Pairs() const { return pairs_; }
    int PickCount() const { return picks_; }
    void OnDisplayRButtonDown(unsigned flags, QPoint point) override;

protected:
    AnalysisRange InitialRange(const AnalysisMeasurement& measurement) const override;
    bool Run(const AnalysisMeasurement& measurement, ResultView view) override;
    void ResetWindowFields(const AnalysisMeasurement& measurement) override;
    void MeasurementChanged() override;
    void ReadWindowFields() override;
    void WriteWindowFields() override;
    void ImageClicked(QPoint point) override;
    void Paint(QPainter* painter, int frame) override;

private:
    DistanceControls* Own() const { return static_cast<DistanceControls*>(Controls()); }
    // Both points of a pair in a frame; false when a target or the frame is
    // gone.
    bool PairPoints(const DistancePair& pair, int frame, QPointF* first, QPointF* second);
    void ClearPicks();

    DistancePairList pairs_;
    DistanceFields fields_;
    int picks_ = 0;
    DrawingTools tools_;
};
