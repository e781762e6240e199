#pragma once

#include <cstdint>

// Remembers that start-up changed the C run-time locale, so that destruction gives the
// environment's own locale back.
class RX40sCLocale {
public:
    RX40sCLocale() = default;
    virtual ~RX40sCLocale();
    RX40sCLocale(const RX40sCLocale&) = delete;
    RX40sCLocale& operator=(const RX40sCLocale&) = delete;

    void SetChanged(bool changed) { m_bChanged = changed ? 1 : 0; }
    bool IsChanged() const { return m_bChanged != 0; }

private:
    std::int32_t m_bChanged = 0;
};
