#pragma once
// The running executable and the local clock through kernel32.
#include "platform/System.h"

namespace platform::win32 {

class Win32System final : public System {
public:
    std::string executablePath() override;
    LocalTime now() override;
    std::string expandEnvironment(const std::string& text) override;
};

} // namespace platform::win32
