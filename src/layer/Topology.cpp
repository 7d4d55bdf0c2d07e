// Contour topology: clean-up, type decision and nesting (to be filled in).
#include "layer/Slice.h"

int CSlice::BuildTopology(PromptState& prompt)
{
    (void)prompt;
    ComputeBoxes();
    ComputeCentre();
    return 0;
}
