#include "ai/AlphaBeta.h"

extern "C" std::int32_t vornix::NativeMoveScore(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                                const std::int32_t*, std::int32_t, const std::int32_t*)
{
    return 0;
}
