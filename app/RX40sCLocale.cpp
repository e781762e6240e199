#include "app/RX40sCLocale.h"

#include <clocale>

RX40sCLocale::~RX40sCLocale() {
    if (m_bChanged) {
        std::setlocale(LC_ALL, "");
    }
}
