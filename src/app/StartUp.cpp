#include "app/StartUp.h"

#include "app/AppContext.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <functional>

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
// Where the tips of a game not shown are kept: "Tipps42/Edit1", …; those shown stand under the cells' names.
QString keptTipName(const Game& game, const QString& cell) {
    return QStringLiteral("Tipps%1/%2").arg(static_cast<int>(game.id)).arg(cell);
}
const QStringList internetEdits{QStringLiteral("FileNameEdit"),  QStringLiteral("URLEdit"),
                                QStringLiteral("ProxyHostEdit"), QStringLiteral("ProxyPortEdit"),
                                QStringLiteral("URL42Edit"),     QStringLiteral("URL42QEdit"),
                                QStringLiteral("URLEMEdit")};
// The fields of the dialog of the systems, kept as the edits are; ComboBox10 as its index's text.
const QStringList systemFields{QStringLiteral("Edit140"), QStringLiteral("Edit141"),
                               QStringLiteral("Edit142"), QStringLiteral("ComboBox10")};
} // namespace

QStringList restoreSettings(AppContext& ctx) {
    Controls& c = ctx.controls;
    AppState& s = ctx.state;
    s.readyFlag = false;
    const auto store = ctx.openSettings();
    // A value of the wrong type keeps its control's default; every other value is still the user's.
    QStringList failures;
    const auto restore = [&](const QString& name, const std::function<void()>& read) {
        if (!store->exists(name)) return;
        try {
            read();
        } catch (const AppError& e) {
            failures << e.message();
        }
    };
    for (int n = 1; n <= 15; ++n)
        restore(checkBoxValueName(n),
                [&] { c.setChecked(checkBoxName(n), store->readBool(checkBoxValueName(n))); });
    s.land = 1;
    restore(QStringLiteral("Land"), [&] { s.land = store->readInteger(QStringLiteral("Land")); });
    s.tippTop = 71;
    s.tippLeft = 42;
    restore(QStringLiteral("TippTop"), [&] { s.tippTop = store->readInteger(QStringLiteral("TippTop")); });
    restore(QStringLiteral("TippLeft"), [&] { s.tippLeft = store->readInteger(QStringLiteral("TippLeft")); });
    for (int n = 1; n <= 8; ++n) {
        restore(upDownName(n), [&] {
            int value = store->readInteger(upDownName(n));
            // The tip count steps by two: an odd stored count comes back as the even one below it.
            if (n == 8) value = std::max(2, value - (value & 1));
            c.setValue(upDownName(n), value);
        });
    }
    // Each cell passes the cell rule as it is set, so stored texts that are no tip number come back empty.
    const QStringList cells = TipGrid::cellNames() + TipGrid::extraCellNames();
    for (const QString& cell : cells) restore(cell, [&] { c.setText(cell, store->readString(cell)); });
    for (const Game* game : Game::all()) {
        if (game == s.game || !store->exists(keptTipName(*game, cells.front()))) continue;
        QStringList kept(cells.size());
        for (qsizetype i = 0; i < cells.size(); ++i)
            restore(keptTipName(*game, cells[i]),
                    [&] { kept[i] = store->readString(keptTipName(*game, cells[i])); });
        ctx.grid.keepTips(*game, kept);
    }
    s.readyFlag = true;
    for (const QString& edit : internetEdits + systemFields)
        restore(edit, [&] { c.setText(edit, store->readString(edit)); });
    restore(QStringLiteral("DateTimePicker2"), [&] {
        c.setDate(QStringLiteral("DateTimePicker2"),
                  dates::fromDayNumber(store->readDate(QStringLiteral("DateTimePicker2"))));
    });
    restore(QStringLiteral("Zufallsband"), [&] {
        c.setChecked(QStringLiteral("SpeedButton14"), store->readBool(QStringLiteral("Zufallsband")));
    });
    restore(QStringLiteral("BeliebteMeiden"), [&] {
        c.setChecked(QStringLiteral("CheckBox30"), store->readBool(QStringLiteral("BeliebteMeiden")));
    });
    s.maxCalcRuns = c.value(upDownName(7)) * 1000;
    if (c.text(QStringLiteral("FileNameEdit")).isEmpty())
        c.setText(QStringLiteral("FileNameEdit"), s.programDir + QStringLiteral("Lotto.html"));
    if (c.text(QStringLiteral("ProxyHostEdit")).isEmpty())
        c.setText(QStringLiteral("ProxyPortEdit"), QStringLiteral("80"));
    return failures;
}

const Game& readGame(AppContext& ctx) {
    try {
        const auto store = ctx.openSettings();
        if (store->exists(QStringLiteral("Spiel")))
            return Game::byValue(store->readInteger(QStringLiteral("Spiel")));
        // A new user starts with the game played today; a user of the version before the choice of the
        // game keeps the one that version served.
        if (store->isEmpty()) return Game::sixOf42();
    } catch (const AppError&) {
        // No number: the game the program started with before.
    }
    return Game::sixOf45();
}

QByteArray readFormGeometry(AppContext& ctx) {
    try {
        const auto store = ctx.openSettings();
        if (store->exists(QStringLiteral("FormGeometry")))
            return store->readBinary(QStringLiteral("FormGeometry"));
    } catch (const AppError&) {
        // Not the window's geometry: the window opens at its own size.
    }
    return {};
}

void saveSettings(AppContext& ctx, const QByteArray& formGeometry) noexcept {
    try {
        const Controls& c = ctx.controls;
        const auto store = ctx.openSettings();
        for (int n = 1; n <= 15; ++n) store->writeBool(checkBoxValueName(n), c.checked(checkBoxName(n)));
        store->writeInteger(QStringLiteral("TippTop"), ctx.state.tippTop);
        store->writeInteger(QStringLiteral("TippLeft"), ctx.state.tippLeft);
        for (int n = 1; n <= 8; ++n) store->writeInteger(upDownName(n), c.value(upDownName(n)));
        const QStringList cells = TipGrid::cellNames() + TipGrid::extraCellNames();
        for (const QString& cell : cells) store->writeString(cell, c.text(cell));
        for (const Game* game : Game::all()) {
            const QStringList kept = ctx.grid.keptTips(*game);
            for (qsizetype i = 0; i < kept.size() && i < cells.size(); ++i)
                store->writeString(keptTipName(*game, cells[i]), kept[i]);
        }
        store->writeInteger(QStringLiteral("Spiel"), static_cast<int>(ctx.state.game->id));
        for (const QString& edit : internetEdits + systemFields)
            if (c.has(edit)) store->writeString(edit, c.text(edit));
        store->writeDate(QStringLiteral("DateTimePicker2"),
                         dates::toDayNumber(c.date(QStringLiteral("DateTimePicker2"))));
        store->writeInteger(QStringLiteral("Land"), ctx.state.land);
        store->writeBool(QStringLiteral("Zufallsband"), c.checked(QStringLiteral("SpeedButton14")));
        store->writeBool(QStringLiteral("BeliebteMeiden"), c.checked(QStringLiteral("CheckBox30")));
        if (!formGeometry.isEmpty()) store->writeBinary(QStringLiteral("FormGeometry"), formGeometry);
        store->close();
    } catch (...) {
        // Closing the window never fails on the settings.
    }
}
