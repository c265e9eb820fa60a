#include "state/GeneratorOptions.h"

#include "platform/Controls.h"

namespace {
QString box(int n) {
    return QStringLiteral("CheckBox%1").arg(n);
}
QString upDown(int n) {
    return QStringLiteral("UpDown%1").arg(n);
}
} // namespace

void GeneratorOptions::installDefaults() {
    for (int n = 1; n <= 15; ++n) c_.setChecked(box(n), !(n >= 11 && n <= 13) && n != 15);
    const int positions[] = {110, 200, 3, 1, 1, 5, 100, 10};
    for (int n = 1; n <= 8; ++n) c_.setValue(upDown(n), positions[n - 1]);
}

bool GeneratorOptions::avoidPopular() const {
    return c_.checked(box(30));
}
int GeneratorOptions::digitSumMin() const {
    return c_.value(upDown(1));
}
int GeneratorOptions::digitSumMax() const {
    return c_.value(upDown(2));
}
bool GeneratorOptions::preferPairs() const {
    return c_.checked(box(1));
}
bool GeneratorOptions::preferFrequent() const {
    return c_.checked(box(2));
}
bool GeneratorOptions::limitOverlap() const {
    return c_.checked(box(3));
}
int GeneratorOptions::maxOverlap() const {
    return c_.value(upDown(3));
}
bool GeneratorOptions::limitLastDraw() const {
    return c_.checked(box(4));
}
int GeneratorOptions::maxFromLastDraw() const {
    return c_.value(upDown(4));
}
bool GeneratorOptions::limitSecondLastDraw() const {
    return c_.checked(box(5));
}
int GeneratorOptions::maxFromSecondLastDraw() const {
    return c_.value(upDown(5));
}
bool GeneratorOptions::preferTriples() const {
    return c_.checked(box(6));
}
bool GeneratorOptions::preferQuads() const {
    return c_.checked(box(7));
}
bool GeneratorOptions::forcePair() const {
    return c_.checked(box(8));
}
bool GeneratorOptions::forbidArchiveMatch() const {
    return c_.checked(box(9));
}
int GeneratorOptions::archiveMatchSize() const {
    return c_.value(upDown(6));
}
bool GeneratorOptions::preferRare() const {
    return c_.checked(box(10));
}
bool GeneratorOptions::rarestPairs() const {
    return c_.checked(box(11));
}
bool GeneratorOptions::rarestTriples() const {
    return c_.checked(box(12));
}
bool GeneratorOptions::rarestQuads() const {
    return c_.checked(box(13));
}
bool GeneratorOptions::preferSeldomDrawn() const {
    return c_.checked(box(14));
}
bool GeneratorOptions::preferredOnly() const {
    return c_.checked(box(15));
}
int GeneratorOptions::tipCount() const {
    return c_.value(upDown(8));
}
int GeneratorOptions::runLimitThousands() const {
    return c_.value(upDown(7));
}

void GeneratorOptions::setForcePair(bool on) {
    c_.setChecked(box(8), on);
}
void GeneratorOptions::setMaxFromLastDraw(int value) {
    c_.setValue(upDown(4), value);
}
void GeneratorOptions::setMaxFromSecondLastDraw(int value) {
    c_.setValue(upDown(5), value);
}
void GeneratorOptions::setArchiveMatchSize(int value) {
    c_.setValue(upDown(6), value);
}
