#include "engine/prize/PrizeTicket.h"

QString MaskNumbers(uint64_t mask, QChar separator) {
    QString text;
    text.reserve(60);
    for (int n = 1; n < 64; ++n) {
        if (!(mask & (uint64_t(1) << n))) continue;
        if (!text.isEmpty()) text += separator;
        text += QLatin1Char(char('0' + n / 10));
        text += QLatin1Char(char('0' + n % 10));
    }
    return text;
}

QString TicketText(const PrizeTicket& ticket) {
    QString text = ticket.bankers ? MaskNumbers(ticket.bankers) + QLatin1Char('#') +
                                        MaskNumbers(ticket.reds & ~ticket.bankers)
                                  : MaskNumbers(ticket.reds);
    if (ticket.backBankers)
        text += QLatin1Char('+') + MaskNumbers(ticket.backBankers) + QLatin1Char('#') +
                MaskNumbers(ticket.blues & ~ticket.backBankers);
    else if (ticket.blues)
        text += QLatin1Char('+') + MaskNumbers(ticket.blues);
    return text;
}

QString DrawText(const PrizeDraw& draw) {
    return MaskNumbers(draw.reds) + QLatin1Char('+') + MaskNumbers(draw.sideMask());
}
