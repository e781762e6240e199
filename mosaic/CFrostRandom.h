#pragma once

#include <cstdint>

// Small deterministic generator for the frosted-glass scatter: a Weyl sequence passed through a
// 32-bit finaliser, so the pattern is the same on every platform and run.
class CFrostRandom {
public:
    explicit CFrostRandom(std::uint32_t seed) : m_state(seed) {}

    std::uint32_t Next() {
        m_state += 0x9E3779B9u;
        std::uint32_t z = m_state;
        z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
        z = (z ^ (z >> 13)) * 0xC2B2AE35u;
        return z ^ (z >> 16);
    }

private:
    std::uint32_t m_state;
};
