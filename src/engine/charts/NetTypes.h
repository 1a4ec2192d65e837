#pragma once

#include <QJsonValue>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <functional>

// Colours of the chart controls: 0x00BBGGRR, as the chart pages write them. The one system colour
// in use is the window background, clWindow.
using TColor = std::uint32_t;
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlack = 0x000000;

// A colour in the chart JSON: an integer, or null for a cell without a fill of its own.
inline QJsonValue ColorToJson(TColor c) {
    return c == clWindow ? QJsonValue(QJsonValue::Null) : QJsonValue(qint64(c));
}

// Receives the short English diagnostics of a bad cell index. The widgets show them in a message
// box; without a hook they go to qWarning.
using TIndexErrorHook = std::function<void(const QString&)>;

// Holds a model's hook. A copied model reports where its original did, but assigning a model to
// an existing one keeps the receiver's hook, so `net->model() = filledModel` still reaches the
// widget's message box.
class TIndexErrorSink {
  public:
    TIndexErrorSink() = default;
    TIndexErrorSink(const TIndexErrorSink&) = default;
    TIndexErrorSink& operator=(const TIndexErrorSink&) { return *this; }

    void set(TIndexErrorHook hook) { m_hook = std::move(hook); }
    void report(const QString& text) const {
        if (m_hook)
            m_hook(text);
        else
            qWarning("%s", qPrintable(text));
    }

  private:
    TIndexErrorHook m_hook;
};

// A pixel rectangle with exclusive right and bottom edges, the way the controls measure cells.
struct TNetRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TNetRect&) const = default;
};

// Union that ignores an empty operand (an empty rectangle adds no area).
inline TNetRect UnionRect(const TNetRect& a, const TNetRect& b) {
    if (a.isEmpty()) return b.isEmpty() ? TNetRect{} : b;
    if (b.isEmpty()) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}
