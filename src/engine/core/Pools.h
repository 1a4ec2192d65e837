#pragma once

// The number pools of the two-colour ball, in one place: six reds of 1..kRedPool and one blue of
// 1..kBluePool. A second game turns these into a value.
namespace Pools {

inline constexpr int kRedPool = 33;  // reds are 1..33
inline constexpr int kRedPicks = 6;  // reds in a draw or a single ticket
inline constexpr int kBluePool = 16; // blues are 1..16
inline constexpr int kBluePicks = 1; // blues in a draw
inline constexpr int kSmallMax = 17; // reds up to this are small, the rest big
inline constexpr int kZoneSize = 11; // the three zones 01-11, 12-22, 23-33

} // namespace Pools
