// The physics SDK's scalar types.
#pragma once

#include <cstdint>

typedef std::int8_t NxI8;
typedef std::int16_t NxI16;
typedef std::int32_t NxI32;
typedef std::uint8_t NxU8;
typedef std::uint16_t NxU16;
typedef std::uint32_t NxU32;
typedef float NxReal;
typedef float NxF32;
typedef double NxF64;

constexpr NxReal NxPi = 3.14159265358979323846f;
