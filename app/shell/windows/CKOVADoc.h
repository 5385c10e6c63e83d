#pragma once

#include "MeasureDocument.h"

#include <QObject>
#include <QString>

// The document of one child window: the measurement (track file, track
// information and their data server) with its open, save and reload.
class CKOVADoc : public QObject, public CDataClient {
    Q_OBJECT

public:
    CKOVADoc(kova::Prompter& prompter, const std::string& dataDirectory, CCfgFile& systemConfig);
    ~CKOVADoc() override;

    MeasureDocument& Measure() { return measure_; }
    // The window title: the measurement's file name, or "无标题".
    QString Title() const;

    void OnDataChanged() override;

signals:
    void changed();

private:
    MeasureDocument measure_;
};
