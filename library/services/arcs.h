#pragma once

namespace paginor {

// Orders the two angles (degrees) and reduces each one above 360 into (0, 360] (360 itself stays 360).
// Returns false, changing nothing, when an angle is not finite.
bool NormalizeArc(float& first, float& second);

// The slice an arc from first to second draws in every format: NormalizeArc's angles, the second
// raised by a turn when it came to lie before the first (300 to 400 degrees reduced to 300 and 40 goes
// on through 360 to 400), so that the slice runs anticlockwise from first to second.
bool ArcSlice(float& first, float& second);

}  // namespace paginor
