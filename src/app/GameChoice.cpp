#include "app/GameChoice.h"

#include "platform/Controls.h"
#include "state/Session.h"
#include "state/TipGrid.h"

namespace gamechoice {

void makeCurrent(Session& session, const Game& game) {
    const ArchiveLease lease = session.state.archiveGate.take();
    session.grid.switchGame(*session.state.game, game);
    session.state.game = &game;
    // A draw of the other game would be evaluated and named as one of this game.
    session.state.currentDraw = Draw();
    session.state.drawIndex = 0;
    Controls& controls = session.services.controls;
    for (const char* label : {"Label35", "Label29", "Label13"})
        controls.setText(QLatin1String(label), QString());
}

} // namespace gamechoice
