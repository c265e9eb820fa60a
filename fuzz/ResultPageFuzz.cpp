// Feeds arbitrary result page text to the marker line reader.
#include "game/Game.h"
#include "import/ResultPage.h"
#include "platform/TextLines.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // No draw that is stored may hold an impossible number.
    for (const auto& draw : resultpage::readDraws(textlines::split(page)).draws)
        for (int n : draw)
            if (!Game::sixOf45().isNumber(n)) std::abort();
    const auto single = resultpage::parseDrawAssignment(page);
    if (single.ok != single.error.isEmpty()) std::abort();
    return 0;
}
