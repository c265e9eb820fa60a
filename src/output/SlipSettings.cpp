#include "output/SlipSettings.h"

double slipPrice(int slipTipCount, bool saturday, bool wednesday, bool joker, bool extraJoker) {
    if (!saturday && !wednesday) return 0;
    double price = slipTipCount * 1.5;
    if (joker) price += 2;
    if (extraJoker) price += 2;
    if (saturday && wednesday) price *= 2;
    return price;
}

double slipPrice(int slipTipCount, const SlipChoice& choice) {
    return slipPrice(slipTipCount, choice.saturday, choice.wednesday, choice.joker, choice.extraJoker);
}

QString formatPrice(double price, const QLocale& locale) {
    return locale.toCurrencyString(price, locale.currencySymbol(), 2);
}
