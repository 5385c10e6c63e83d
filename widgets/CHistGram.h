#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

namespace kova {

// The histogram of one channel: bars scaled to the highest count, the bins
// of the current band marked. The form (grey, red, green, blue, or one of
// the HSI channels) chooses the colour of the bars.
class CHistGram : public QWidget {
    Q_OBJECT

public:
    enum class Form { Grey, Red, Green, Blue, Hue, Saturation, Intensity };

    explicit CHistGram(QWidget* parent = nullptr);

    // Counts per value (256 bins, or 360 for the hue circle).
    void SetCounts(const std::vector<long>& counts);
    void SetForm(Form form);
    // The band [low, high]; marked only while `on` (an empty band marks nothing).
    void SetBand(bool on, int low, int high);

    // The bar heights as drawn in a plot of `height` pixels.
    std::vector<int> Bars(int height) const;
    const std::vector<long>& Counts() const { return counts_; }
    bool Marked(int value) const;

    QSize sizeHint() const override { return {280, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor BarColour() const;

    std::vector<long> counts_;
    Form form_ = Form::Grey;
    bool bandOn_ = false;
    int low_ = 0;
    int high_ = -1;
};

} // namespace kova
