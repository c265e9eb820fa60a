#pragma once

#include "support/SessionEnv.h"

#include <QStringList>

// A whole session of the program without its window: real controls, grid and archive directory.
struct ImportFixture : SessionEnv {
    explicit ImportFixture(const QDate& today = QDate(2002, 10, 10)) {
        clock.setToday(today);
        controls.setVisible(QStringLiteral("SpeedButton8"), false);
        controls.setVisible(QStringLiteral("Memo1"), false);
        controls.setText(QStringLiteral("ProxyPortEdit"), QStringLiteral("80"));
        controls.setText(QStringLiteral("FileNameEdit"), dir.file(QStringLiteral("Lotto.html")));
    }

    void setTip(int row, const Tip& numbers) { grid.writeTip(row, numbers); }
};
