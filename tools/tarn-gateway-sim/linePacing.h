#pragma once

#include <algorithm>

namespace Tarn::Sim {

// A paced line carries its bytes in slices of about a hundredth of a second,
// both ways.
inline int rateSlice(int bytesPerSecond)
{
    return std::max(1, bytesPerSecond / 100);
}

} // namespace Tarn::Sim
