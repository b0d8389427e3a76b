#pragma once

#include <QVector>
#include <algorithm>
#include <cstdio>

// One line of a benchmark's figures: the median and the worst of the runs, in milliseconds.
inline void reportTimes(const char* what, QVector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %7.3f ms   worst %7.3f ms   (%lld runs)\n", what, ms[ms.size() / 2], ms.back(),
                static_cast<long long>(ms.size()));
}
