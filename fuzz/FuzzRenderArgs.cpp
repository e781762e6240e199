// The renderer's argument parser (parsing only; nothing runs).
#include "FuzzInput.h"
#include "cli/CRenderCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CRenderCommand command;
    (void)command.Parse(FuzzInput::Words(data, size));
    return 0;
}
