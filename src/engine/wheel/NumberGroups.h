#pragma once

// One-click selections of the candidate matrix.
enum class NumberGroup { All, None, Odd, Even, Big, Small, Prime, Zone1, Zone2, Zone3 };

// Whether n (1..pool) belongs to the group: big is above 17, the zones are thirds of the pool
// (1-11, 12-22, 23-33 for 33 numbers) and 1 counts as a prime, as the ticket measures count them.
bool InNumberGroup(NumberGroup group, int n, int pool);
