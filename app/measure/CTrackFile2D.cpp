#include "CTrackFile2D.h"

#include "CCfgFile.h"
#include "CEasyUtils.h"
#include "NumberText.h"
#include "TextSink.h"

namespace {

// A label line of the summary: label, ", ", value, line feed.
std::string SummaryLine(const char* label, const std::string& value) {
    return std::string(label) + ", " + value + "\n";
}

std::string Padded(std::string text, int width) {
    CEasyUtils::StrSpace(&text, width, 0);
    return text;
}

std::string Fixed3(double value, int width) {
    return Padded(kova::FormatFixed(value, 3), width);
}

std::string Whole(long value, int width) {
    return Padded(kova::FormatInt(value), width);
}

} // namespace

CTrackFile2D::CTrackFile2D(const std::string& dataDirectory) {
    SetInitialDir(dataDirectory);
    SetDefaultName("TEMP.TRK");
    SetFilter("2D测量文件(*.TRK)|*.TRK||");
    SetDefaultExt("TRK");
    SetSaveTitle("文件保存");
}

int CTrackFile2D::LoadPoint(CFile* file, XY_TRACK* point) {
    if (!point) return 0;
    // All 16 bits of the status are kept: an interpolated point (-1) reads
    // back as -1, whether the file holds it as 0xFFFF from any writer.
    return LoadEndianBytes(file, &point->status, 2) && LoadEndianBytes(file, &point->x, 4) &&
                   LoadEndianBytes(file, &point->y, 4)
               ? 1
               : 0;
}

int CTrackFile2D::SavePoint(CFile* file, const XY_TRACK* point) {
    if (!point) return 0;
    return SaveEndianBytes(file, &point->status, 2) && SaveEndianBytes(file, &point->x, 4) &&
                   SaveEndianBytes(file, &point->y, 4)
               ? 1
               : 0;
}

void CTrackFile2D::SetCalibration(CCfgFile* cfg) {
    if (!cfg) return;
    MeasureHeader& h = Header();
    cfg->GetValue("Calibration2DInterval", &h.interval);
    cfg->GetValue("Calibration2DFrames", &h.frameRate);
    cfg->GetValue("Calibration2DTimeUnit", &h.timeUnit);
    cfg->GetValue("Calibration2DLength", &h.scale);
    cfg->GetValue("Calibration2DLengthUnit", &h.lengthUnit);
    cfg->GetValue("Calibration2DOriginX", &h.originX);
    cfg->GetValue("Calibration2DOriginY", &h.originY);
    cfg->GetValue("Calibration2DAngle", &h.angle);
    cfg->GetValue("Calibration2DDirectY", &h.directY);
}

void CTrackFile2D::GetCalibration(CCfgFile* cfg) const {
    if (!cfg) return;
    const MeasureHeader& h = GetHeader();
    cfg->SetValue("Calibration2DInterval", static_cast<short>(h.interval));
    cfg->SetValue("Calibration2DFrames", static_cast<short>(h.frameRate));
    cfg->SetValue("Calibration2DTimeUnit", static_cast<short>(h.timeUnit));
    cfg->SetValue("Calibration2DLength", h.scale);
    cfg->SetValue("Calibration2DLengthUnit", static_cast<short>(h.lengthUnit));
    cfg->SetValue("Calibration2DOriginX", h.originX);
    cfg->SetValue("Calibration2DOriginY", h.originY);
    cfg->SetValue("Calibration2DAngle", h.angle);
    cfg->SetValue("Calibration2DDirectY", static_cast<short>(h.directY));
}

void CTrackFile2D::AddSummary(TextSink* sink) const {
    if (!sink) return;
    const MeasureHeader& h = GetHeader();
    std::string timeName;
    CEasyUtils::GetTimeStr(&timeName, h.timeUnit);
    std::string lengthName;
    CEasyUtils::GetLongStr(&lengthName, h.lengthUnit);
    const std::string rate = Padded(kova::FormatInt(h.frameRate) + "    帧/", 15) + timeName;
    sink->AddString(SummaryLine("文件名          ", GetLastPath()));
    sink->AddString(SummaryLine("帧数            ", Whole(GetFrameCount(), 8)));
    sink->AddString(SummaryLine("目标数          ", Whole(GetTargetCount(), 8)));
    sink->AddString(SummaryLine("间隔            ", Whole(h.interval, 8)));
    sink->AddString(SummaryLine("帧数/单位时间   ", rate));
    sink->AddString(SummaryLine("距离比例        ", Fixed3(h.scale, 12) + lengthName + "/像素"));
    sink->AddString(SummaryLine("原点 X          ", Fixed3(h.originX, 12)));
    sink->AddString(SummaryLine("原点 Y          ", Fixed3(h.originY, 12)));
    sink->AddString(SummaryLine("旋转角          ", Fixed3(CEasyUtils::ConvAngle(h.angle, 1), 12)));
    sink->AddString(SummaryLine("Y 轴方向        ", h.directY == 1 ? "向右" : "向左"));
}
