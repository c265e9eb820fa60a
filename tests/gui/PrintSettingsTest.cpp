#include "gui/PrintSettingsDialog.h"
#include "output/SlipSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Amounts as the Swiss German locale writes them, the symbol behind a no-break space.
QString chf(const char* amount) {
    return QString::fromLatin1(amount) + QChar(0x00A0) + QStringLiteral("CHF");
}

template <typename W> W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (!w) ADD_FAILURE() << "missing " << name;
    return w;
}

// Answers the next modal dialog by clicking one of its buttons once the event loop runs it.
void clickWhenShown(QDialog& dialog, const char* button) {
    QTimer::singleShot(0, &dialog, [&dialog, button] {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}

} // namespace

TEST(SlipPrice, PricesOfThePlays) {
    const struct {
        int tips;
        bool sat, wed, joker, extra;
        double price;
        const char* text;
    } cases[] = {
        {14, false, false, true, true, 0, "0.00"},   {0, true, false, true, false, 2, "2.00"},
        {0, true, true, true, false, 4, "4.00"},     {14, true, true, true, true, 50, "50.00"},
        {1, false, true, false, false, 1.5, "1.50"}, {3, true, false, false, true, 6.5, "6.50"},
        {5, true, true, false, false, 15, "15.00"},
    };
    for (const auto& c : cases) {
        const double p = slipPrice(c.tips, c.sat, c.wed, c.joker, c.extra);
        EXPECT_DOUBLE_EQ(p, c.price) << c.text;
        EXPECT_EQ(formatPrice(p), chf(c.text));
    }
}

TEST(PrintSettingsDialog, ControlsStandWhereTheyBelong) {
    PrintSettingsDialog dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("TForm5"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drucckeeinstellungen für den Lottoschein"));
    EXPECT_TRUE(dialog.font().bold());
    EXPECT_EQ(dialog.font().pointSize(), 9);
    const struct {
        const char* name;
        const char* caption;
        int x, y;
    } boxes[] = {
        {"CheckBox1", "Samstag", 24, 8},
        {"CheckBox2", "Mittwoch", 144, 8},
        {"CheckBox3", "Joker", 24, 40},
        {"CheckBox4", "Extra-Joker", 144, 40},
        {"CheckBox5", "Schein zum Test mit anzeigen", 24, 72},
    };
    for (const auto& b : boxes) {
        auto* box = child<QCheckBox>(dialog, b.name);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(box->pos(), QPoint(b.x, b.y)) << b.name;
        EXPECT_FALSE(box->isChecked());
    }
    const struct {
        const char* name;
        const char* caption;
        int x, y;
    } labels[] = {{"Label1", "Oben:", 24, 105},
                  {"Label2", "Links", 120, 105},
                  {"Label3", "Kosten:", 248, 88},
                  {"Label4", "Kosten:", 248, 105}};
    for (const auto& l : labels) {
        auto* label = child<QLabel>(dialog, l.name);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text(), QString::fromUtf8(l.caption));
        EXPECT_EQ(label->pos(), QPoint(l.x, l.y)) << l.name;
    }
    for (const auto& [name, edit, x] :
         {std::tuple{"UpDown1", "Edit1", 64}, std::tuple{"UpDown2", "Edit2", 160}}) {
        auto* spin = child<QSpinBox>(dialog, name);
        ASSERT_TRUE(spin);
        EXPECT_EQ(spin->pos(), QPoint(x, 100));
        EXPECT_EQ(spin->minimum(), 0);
        EXPECT_EQ(spin->maximum(), 100);
        EXPECT_EQ(spin->singleStep(), 1);
        ASSERT_TRUE(child<QLineEdit>(dialog, edit));
        EXPECT_EQ(child<QLineEdit>(dialog, edit)->text(), QStringLiteral("0"));
    }
    auto* abort = child<QPushButton>(dialog, "BitBtn1");
    auto* ok = child<QPushButton>(dialog, "BitBtn2");
    ASSERT_TRUE(abort && ok);
    EXPECT_EQ(abort->pos(), QPoint(40, 8));
    EXPECT_EQ(ok->pos(), QPoint(184, 8));
    EXPECT_EQ(ok->parentWidget()->height(), 41);
    EXPECT_EQ(ok->parentWidget()->geometry().bottom(), dialog.height() - 1);
    // Captions must fit their buttons.
    for (QPushButton* b : {abort, ok})
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();

    const QString shots = qEnvironmentVariable("ZIEHBOX_SHOT_DIR"); // a picture for a person to look at
    if (!shots.isEmpty()) {
        dialog.setSlipTipCount(14);
        dialog.setOffsets(71, 42);
        dialog.setDays(true, true);
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shots + QStringLiteral("/print_settings.png"));
    }
}

TEST(PrintSettingsDialog, PriceFollowsTheGameBoxesOnly) {
    PrintSettingsDialog dialog;
    dialog.setSlipTipCount(14);
    auto* price = child<QLabel>(dialog, "Label4");
    const struct {
        const char* box;
        const char* price;
    } clicks[] = {
        {"CheckBox1", "21.00"},                        // Saturday
        {"CheckBox3", "23.00"},                        // Joker
        {"CheckBox4", "25.00"},                        // Extra-Joker
        {"CheckBox2", "50.00"},                        // both days
        {"CheckBox5", "50.00"},                        // the test display changes nothing
        {"CheckBox1", "25.00"}, {"CheckBox2", "0.00"}, // no day at all
        {"CheckBox2", "25.00"},
    };
    for (const auto& c : clicks) {
        QTest::mouseClick(child<QCheckBox>(dialog, c.box), Qt::LeftButton);
        EXPECT_EQ(price->text(), chf(c.price)) << c.box;
    }
    // Presetting the days by the caller recomputes it as well.
    dialog.setDays(true, true);
    EXPECT_EQ(price->text(), chf("50.00"));

    // Without the picture of the slip the test display has nothing to show: greyed, and it says why.
    auto* showSlip = child<QCheckBox>(dialog, "CheckBox5");
    dialog.setSlipPicture(QStringLiteral("/home/anna/.local/share/Tolbrand/Ziehbox"), false);
    EXPECT_FALSE(showSlip->isEnabled());
    EXPECT_EQ(showSlip->toolTip(),
              QStringLiteral("Das Bild des Scheins (\"Schein.jpg\") liegt nicht im Ordner "
                             "\"/home/anna/.local/share/Tolbrand/Ziehbox\"."));
    dialog.setSlipPicture(QStringLiteral("/home/anna/.local/share/Tolbrand/Ziehbox"), true);
    EXPECT_TRUE(showSlip->isEnabled());
    EXPECT_EQ(showSlip->toolTip(), QString());
}

TEST(PrintSettingsDialog, ModalRoundsKeepGamesAndTestDisplay) {
    PrintSettingsDialog dialog;
    dialog.setOffsets(71, 42);
    dialog.setDays(false, true);
    QTimer::singleShot(0, &dialog, [&dialog] {
        // The user ticks the games and moves the print up, then confirms.
        dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox5"))->setChecked(true);
        dialog.findChild<QSpinBox*>(QStringLiteral("UpDown1"))->setValue(60);
    });
    clickWhenShown(dialog, "BitBtn2");
    ASSERT_TRUE(dialog.runModal());
    SlipChoice c = dialog.choice();
    EXPECT_TRUE(c.wednesday && !c.saturday && c.joker && !c.extraJoker && c.showSlip);
    EXPECT_EQ(c.top, 60);
    EXPECT_EQ(c.left, 42);

    dialog.setOffsets(150, -4); // out of range: the boxes hold the nearest valid offsets
    dialog.setDays(true, false);
    clickWhenShown(dialog, "BitBtn1");
    EXPECT_FALSE(dialog.runModal());
    c = dialog.choice();
    EXPECT_TRUE(c.saturday && !c.wednesday && c.joker && c.showSlip);
    EXPECT_EQ(c.top, 100);
    EXPECT_EQ(c.left, 0);
}
