#include "WindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QTabWidget>
#include <gtest/gtest.h>

// Pictures of the six pages for a person to look at: set ZIEHBOX_SHOT_DIR to write them.
TEST(PageShots, EveryPageRenders) {
    WindowFixture f;
    f.dir.writeArchive(generatedDraws(QDate(2001, 1, 3), 300, 9));
    MainWindow& w = f.open();
    w.show();
    auto* pages = f.find<QTabWidget>(QStringLiteral("PageControl1"));
    const QString shots = qEnvironmentVariable("ZIEHBOX_SHOT_DIR");
    if (!shots.isEmpty()) QDir().mkpath(shots);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QPixmap picture = w.grab();
        EXPECT_EQ(picture.size(), w.size());
        if (!shots.isEmpty())
            picture.save(
                QStringLiteral("%1/page%2-%3.png").arg(shots).arg(i + 1).arg(pages->widget(i)->objectName()));
    }
}
