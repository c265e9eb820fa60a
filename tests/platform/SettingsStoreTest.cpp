#include "platform/SettingsStore.h"
#include "platform/AppError.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsStore, EveryTypeRoundTripsAndAbsentValuesAreReported) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Ziehbox.ini"));
    {
        SettingsStore store(ini);
        EXPECT_FALSE(store.exists(QStringLiteral("Chekcbox1")));
        store.writeBool(QStringLiteral("Chekcbox1"), true);
        store.writeBool(QStringLiteral("Chekcbox2"), false);
        store.writeInteger(QStringLiteral("UpDown1"), 110);
        store.writeInteger(QStringLiteral("TippTop"), -5);
        store.writeString(QStringLiteral("Edit1"), QStringLiteral("7"));
        store.writeString(QStringLiteral("FileNameEdit"), QStringLiteral("C:\\Lotto ü.html"));
        store.writeString(QStringLiteral("ProxyHostEdit"), QString());
        store.writeDate(QStringLiteral("DateTimePicker2"), 37534);
        store.close();
    }
    SettingsStore store(ini);
    EXPECT_TRUE(store.readBool(QStringLiteral("Chekcbox1")));
    EXPECT_FALSE(store.readBool(QStringLiteral("Chekcbox2")));
    EXPECT_EQ(store.readInteger(QStringLiteral("UpDown1")), 110);
    EXPECT_EQ(store.readInteger(QStringLiteral("TippTop")), -5);
    EXPECT_EQ(store.readString(QStringLiteral("Edit1")), QStringLiteral("7"));
    EXPECT_EQ(store.readString(QStringLiteral("FileNameEdit")), QStringLiteral("C:\\Lotto ü.html"));
    EXPECT_TRUE(store.exists(QStringLiteral("ProxyHostEdit")));
    EXPECT_EQ(store.readString(QStringLiteral("ProxyHostEdit")), QString());
    EXPECT_EQ(store.readDate(QStringLiteral("DateTimePicker2")), 37534.0);

    // Bools are integers 0 and 1; any integer other than 0 reads as true.
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Chekcbox1")).toString(), QStringLiteral("1"));
    EXPECT_EQ(raw.value(QStringLiteral("DateTimePicker2")).toByteArray(),
              QByteArray::fromHex("00000000c053e240"));
}

TEST(SettingsStore, WrongTypedValuesAreRefused) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Ziehbox.ini"));
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.setValue(QStringLiteral("UpDown1"), QStringLiteral("abc"));
        raw.setValue(QStringLiteral("Chekcbox3"), QStringLiteral("ja"));
        raw.setValue(QStringLiteral("DateTimePicker2"), QByteArray("1234"));
        raw.setValue(QStringLiteral("Other"), QStringLiteral("09.10.1955"));
        raw.setValue(QStringLiteral("Edit1"), QByteArray("12345678"));
    }
    SettingsStore store(ini);
    EXPECT_THROW(store.readInteger(QStringLiteral("UpDown1")), AppError);
    EXPECT_THROW(store.readBool(QStringLiteral("Chekcbox3")), AppError);
    EXPECT_THROW(store.readDate(QStringLiteral("DateTimePicker2")), AppError);
    EXPECT_THROW(store.readDate(QStringLiteral("Other")), AppError);
    EXPECT_THROW(store.readString(QStringLiteral("Edit1")), AppError);
    try {
        store.readInteger(QStringLiteral("UpDown1"));
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("UpDown1")));
    }
}
