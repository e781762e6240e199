#include "media/CUtf8Scope.h"

CUtf8Scope::CUtf8Scope() {
    m_utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (m_utf8) {
        m_previous = ::uselocale(m_utf8);
    }
}

CUtf8Scope::~CUtf8Scope() {
    if (m_utf8) {
        ::uselocale(m_previous);
        ::freelocale(m_utf8);
    }
}
