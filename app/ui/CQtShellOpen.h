#pragma once

#include "platform/IShellOpen.h"

// Opens paths and addresses with the desktop's default handler.
class CQtShellOpen : public IShellOpen {
public:
    bool Open(const std::string& target) override;
};
