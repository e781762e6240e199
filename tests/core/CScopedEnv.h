#pragma once

#include <cstdlib>
#include <string>

// Sets an environment variable for the life of the object and then puts back what was there.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_hadValue = old != nullptr;
        m_old = m_hadValue ? old : "";
        setenv(name, value, 1);
    }
    ~CScopedEnv() {
        if (m_hadValue) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_hadValue = false;
};
