#include "generator/RandomSeed.h"

#include "generator/TipSearch.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "state/Session.h"

void chooseRandomSeed(Session& session, DrawSteps& steps) {
    Services& services = session.services;
    const QString proposal = QString::number(services.random.random(99999));
    // Cancelled, the proposal stands.
    const QString answer =
        services.ui
            .inputBox(QStringLiteral("Startzahl (1-99999999)?"),
                      QStringLiteral("Geben Sie eine Startzahl für den Zufallsgenerator ein!"), proposal)
            .value_or(proposal);
    try {
        bool ok = false;
        // The range in the caption is not enforced; any 32-bit integer is a seed.
        const int number = answer.trimmed().toInt(&ok, 10);
        if (!ok) {
            services.random.seedFromClock();
            return;
        }
        services.random.seed(number);
        services.ui.setStatus(1, QStringLiteral("Startzahl ") + QString::number(number) +
                                     QStringLiteral(" gesetzt"));
        if (services.ui.question(QStringLiteral("Soll der Tipp jetzt berechnet werden?"),
                                 QStringLiteral("Jetzt berechnen??")))
            calculateTips(session, steps);
    } catch (...) {
        // The user asked for luck, not for an error box; a fresh seed keeps the next tips random.
        services.random.seedFromClock();
    }
}
