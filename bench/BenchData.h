#pragma once

#include "archive/DrawRecord.h"

#include <QString>
#include <QTemporaryDir>
#include <vector>

// A program directory holding a generated archive: Wednesdays and Saturdays from 1986 on.
class BenchArchive {
public:
    explicit BenchArchive(int draws = 3000);
    QString programDir() const { return dir_.path() + QLatin1Char('/'); }
    const std::vector<DrawRecord>& records() const { return records_; }

private:
    QTemporaryDir dir_;
    std::vector<DrawRecord> records_;
};
