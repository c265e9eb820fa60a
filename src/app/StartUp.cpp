#include "app/StartUp.h"

#include "app/AppContext.h"
#include "platform/Dates.h"
#include "platform/SettingsStore.h"

QString checkBoxValueName(int n) {
    return QStringLiteral("Chekcbox%1").arg(n);
}

namespace {
QString checkBoxName(int n) {
    return QStringLiteral("CheckBox%1").arg(n);
}
QString upDownName(int n) {
    return QStringLiteral("UpDown%1").arg(n);
}
const QStringList internetEdits{QStringLiteral("FileNameEdit"), QStringLiteral("URLEdit"),
                                QStringLiteral("ProxyHostEdit"), QStringLiteral("ProxyPortEdit")};
} // namespace

void restoreSettings(AppContext& ctx) {
    Controls& c = ctx.controls;
    AppState& s = ctx.state;
    s.readyFlag = false;
    const auto store = ctx.openSettings();
    for (int n = 1; n <= 15; ++n)
        if (store->exists(checkBoxValueName(n)))
            c.setChecked(checkBoxName(n), store->readBool(checkBoxValueName(n)));
    s.land = store->exists(QStringLiteral("Land")) ? store->readInteger(QStringLiteral("Land")) : 1;
    s.tippTop = 71;
    s.tippLeft = 42;
    if (store->exists(QStringLiteral("TippTop"))) s.tippTop = store->readInteger(QStringLiteral("TippTop"));
    if (store->exists(QStringLiteral("TippLeft")))
        s.tippLeft = store->readInteger(QStringLiteral("TippLeft"));
    for (int n = 1; n <= 8; ++n)
        if (store->exists(upDownName(n))) c.setValue(upDownName(n), store->readInteger(upDownName(n)));
    // Each cell passes the cell rule as it is set, so stored texts that are no tip number come back empty.
    for (const QString& cell : TipGrid::cellNames())
        if (store->exists(cell)) c.setText(cell, store->readString(cell));
    s.readyFlag = true;
    for (const QString& edit : internetEdits)
        if (store->exists(edit)) c.setText(edit, store->readString(edit));
    if (store->exists(QStringLiteral("DateTimePicker2")))
        c.setDate(QStringLiteral("DateTimePicker2"),
                  dates::fromDayNumber(store->readDate(QStringLiteral("DateTimePicker2"))));
    s.maxCalcRuns = c.value(upDownName(7)) * 1000;
    if (c.text(QStringLiteral("FileNameEdit")).isEmpty())
        c.setText(QStringLiteral("FileNameEdit"), s.programDir + QStringLiteral("Lotto.html"));
    if (c.text(QStringLiteral("ProxyHostEdit")).isEmpty())
        c.setText(QStringLiteral("ProxyPortEdit"), QStringLiteral("80"));
}

void saveSettings(AppContext& ctx) noexcept {
    try {
        const Controls& c = ctx.controls;
        const auto store = ctx.openSettings();
        for (int n = 1; n <= 15; ++n) store->writeBool(checkBoxValueName(n), c.checked(checkBoxName(n)));
        store->writeInteger(QStringLiteral("TippTop"), ctx.state.tippTop);
        store->writeInteger(QStringLiteral("TippLeft"), ctx.state.tippLeft);
        for (int n = 1; n <= 8; ++n) store->writeInteger(upDownName(n), c.value(upDownName(n)));
        for (const QString& cell : TipGrid::cellNames()) store->writeString(cell, c.text(cell));
        for (const QString& edit : internetEdits) store->writeString(edit, c.text(edit));
        store->writeDate(QStringLiteral("DateTimePicker2"),
                         dates::toDayNumber(c.date(QStringLiteral("DateTimePicker2"))));
        store->writeInteger(QStringLiteral("Land"), ctx.state.land);
        store->close();
    } catch (...) {
        // Closing the window never fails on the settings.
    }
}
