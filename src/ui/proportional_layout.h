#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

// Makes the controls of an area follow the window in proportion: every control keeps the share of the
// window's width and height, and the font size, it had when recorded. Each resize scales from the
// recorded geometry, so repeated resizes do not accumulate rounding.
class ProportionalLayout {
public:
    // Records the direct children of `area` and their direct children at the window size `windowSize`.
    // The inner parts of combos and grids follow their owner by themselves. Those in `fontOnly` are placed
    // by someone else (the cell editors): only their font follows.
    void record(const QSize& windowSize, QWidget* area, const QList<QWidget*>& fontOnly);
    bool isRecorded() const { return !controls_.empty() && !initialSize_.isEmpty(); }
    // Places and sizes the recorded controls for the window size `windowSize`.
    void apply(const QSize& windowSize) const;

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect geometry;
        qreal fontSize = 0;
        bool fontOnly = false;
    };

    QSize initialSize_;
    std::vector<Control> controls_;
};
