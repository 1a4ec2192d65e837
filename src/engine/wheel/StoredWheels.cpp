#include "engine/wheel/StoredWheels.h"

#include "engine/history/DataLocation.h"
#include "engine/wheel/WheelCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <algorithm>
#include <mutex>

namespace {

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

QString cellName(const WheelShape& s) {
    return QStringLiteral("中%1保%2（%3个号码）").arg(s.drawn).arg(s.held).arg(s.v);
}

enum class CheckState : signed char { Unchecked, Passed, Failed };

// The table of the running program: read once, each wheel checked when its cell is first asked for.
// The window asks from its search thread too, hence the lock.
struct WheelTable {
    std::mutex lock;
    QString file;
    bool read = false;
    std::vector<StoredWheel> wheels;
    std::vector<CheckState> states;
    QStringList problems;
    bool allChecked = false;
    std::vector<StoredWheel> passed;

    void report(const QString& problem) {
        qWarning().noquote() << problem;
        problems << problem;
    }

    void readOnce() {
        if (read) return;
        read = true;
        if (file.isEmpty()) {
            const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
            file = dir.isEmpty() ? QString() : WheelTablePath(dir);
        }
        QFile f(file);
        if (file.isEmpty() || !f.open(QIODevice::ReadOnly)) {
            report(QStringLiteral("找不到旋转矩阵表 \"%1\"：旋转矩阵将现场搜索，注数可能多于现成的矩阵。")
                       .arg(QDir::toNativeSeparators(file)));
            return;
        }
        QStringList readProblems;
        wheels = ReadWheelTable(QString::fromUtf8(f.readAll()), &readProblems);
        for (const QString& p : readProblems)
            report(p);
        // Smallest first: the first wheel of a cell that passes is the one offered.
        std::stable_sort(wheels.begin(), wheels.end(), [](const StoredWheel& a, const StoredWheel& b) {
            return a.tickets.size() < b.tickets.size();
        });
        states.assign(wheels.size(), CheckState::Unchecked);
    }

    bool passes(size_t i) {
        if (states[i] == CheckState::Unchecked) {
            const StoredWheel& w = wheels[i];
            const bool ok = !w.tickets.empty() &&
                            CheckWheel(w.shape.v, w.shape.drawn, w.shape.held, w.tickets, 0).uncovered == 0;
            states[i] = ok ? CheckState::Passed : CheckState::Failed;
            if (!ok)
                report(QStringLiteral("旋转矩阵表里%1的%2注未通过验证，已舍弃。")
                           .arg(cellName(w.shape))
                           .arg(w.tickets.size()));
        }
        return states[i] == CheckState::Passed;
    }
};

WheelTable& table() {
    static WheelTable t;
    return t;
}

// Runs f on the table, read by then, under its lock.
template <class F> decltype(auto) withTable(F f) {
    WheelTable& t = table();
    std::lock_guard guard(t.lock);
    t.readOnce();
    return f(t);
}

} // namespace

std::vector<StoredWheel> ReadWheelTable(QStringView text, QStringList* problems) {
    std::vector<StoredWheel> table;
    StoredWheel* current = nullptr;
    int lineNumber = 0;
    auto fault = [&] {
        if (problems) *problems << QStringLiteral("旋转矩阵表第%1行有误，这一组已舍弃。").arg(lineNumber);
    };
    for (QStringView line : text.split(u'\n')) {
        ++lineNumber;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        if (line.startsWith(u"wheel ")) {
            int s[4];
            current = nullptr;
            if (!readInts(line.mid(6), s, 4)) {
                fault();
                continue;
            }
            const WheelShape shape{s[0], s[1], s[2], s[3]};
            if (shape.v < 1 || shape.v > WheelMaxNumbers || shape.k < 1 || shape.k > shape.v) {
                fault();
                continue;
            }
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
            fault();
            table.pop_back();
            current = nullptr;
        }
    }
    return table;
}

QString WheelTableFile() {
    return withTable([](WheelTable& t) { return t.file; });
}

void SetWheelTableFile(const QString& path) {
    WheelTable& t = table();
    std::lock_guard guard(t.lock);
    t.file = path;
    t.read = false;
    t.wheels.clear();
    t.states.clear();
    t.problems.clear();
    t.allChecked = false;
    t.passed.clear();
}

const std::vector<StoredWheel>& StoredWheels() {
    return withTable([](WheelTable& t) -> const std::vector<StoredWheel>& {
        if (!t.allChecked) {
            for (size_t i = 0; i < t.wheels.size(); ++i)
                if (t.passes(i)) t.passed.push_back(t.wheels[i]);
            t.allChecked = true;
        }
        return t.passed;
    });
}

const StoredWheel* FindStoredWheel(const WheelShape& shape) {
    return withTable([&](WheelTable& t) -> const StoredWheel* {
        for (size_t i = 0; i < t.wheels.size(); ++i)
            if (t.wheels[i].shape == shape && t.passes(i)) return &t.wheels[i];
        return nullptr;
    });
}

QStringList StoredWheelProblems() {
    return withTable([](WheelTable& t) { return t.problems; });
}
