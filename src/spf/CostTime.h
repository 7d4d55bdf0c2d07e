#pragma once
#include <cstdint>
#include <string>

// "Cost Time: h:m:s" of an elapsed span, each part in plain decimal
// (3725 seconds give "Cost Time: 1:2:5").
std::string FormatCostTime(std::int64_t seconds);
