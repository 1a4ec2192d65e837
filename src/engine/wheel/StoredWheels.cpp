#include "engine/wheel/StoredWheels.h"

#include <QList>
#include <QString>

namespace {

const char16_t storedTable[] =
#include "engine/wheel/StoredWheels.inc"
    ;

bool readInts(QStringView line, int* values, int count) {
    int n = 0;
    for (QStringView part : line.split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || n == count) return false;
        values[n++] = v;
    }
    return n == count;
}

} // namespace

std::vector<StoredWheel> ReadWheelTable(QStringView text) {
    std::vector<StoredWheel> table;
    StoredWheel* current = nullptr;
    for (QStringView line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(u"wheel ")) {
            int s[4];
            current = nullptr;
            if (!readInts(line.mid(6), s, 4)) continue;
            const WheelShape shape{s[0], s[1], s[2], s[3]};
            if (shape.v < 1 || shape.v > WheelMaxNumbers || shape.k < 1 || shape.k > shape.v) continue;
            table.push_back({shape, {}});
            current = &table.back();
            continue;
        }
        if (!current) continue;
        int p[WheelMaxNumbers];
        WheelMask t = 0;
        bool ok = readInts(line, p, current->shape.k);
        for (int i = 0; ok && i < current->shape.k; ++i) {
            ok = p[i] >= 1 && p[i] <= current->shape.v && !(t >> (p[i] - 1) & 1u);
            t |= WheelMask(1) << (p[i] - 1);
        }
        if (ok) {
            current->tickets.push_back(t);
        } else {
            table.pop_back();
            current = nullptr;
        }
    }
    return table;
}

QStringView StoredWheelText() {
    return QStringView(storedTable);
}

const std::vector<StoredWheel>& StoredWheels() {
    static const std::vector<StoredWheel> checked = [] {
        std::vector<StoredWheel> all = ReadWheelTable(StoredWheelText());
        std::vector<StoredWheel> passed;
        for (StoredWheel& w : all)
            if (!w.tickets.empty() &&
                CheckWheel(w.shape.v, w.shape.drawn, w.shape.held, w.tickets, 0).uncovered == 0)
                passed.push_back(std::move(w));
        return passed;
    }();
    return checked;
}

const StoredWheel* FindStoredWheel(const WheelShape& shape) {
    const StoredWheel* found = nullptr;
    for (const StoredWheel& w : StoredWheels())
        if (w.shape == shape && (!found || w.tickets.size() < found->tickets.size())) found = &w;
    return found;
}
