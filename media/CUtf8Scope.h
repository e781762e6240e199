#pragma once

#include <locale.h>

// Makes the calling thread's character type UTF-8 for its lifetime, so a library that converts
// narrow file names with the C multibyte functions reads UTF-8 paths correctly whatever the
// process locale is. Other threads are not affected.
class CUtf8Scope {
public:
    CUtf8Scope();
    ~CUtf8Scope();
    CUtf8Scope(const CUtf8Scope&) = delete;
    CUtf8Scope& operator=(const CUtf8Scope&) = delete;

private:
    locale_t m_utf8 = nullptr;
    locale_t m_previous = nullptr;
};
