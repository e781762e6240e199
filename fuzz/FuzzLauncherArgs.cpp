// The launcher's translation of the program's converter arguments.
#include "FuzzInput.h"
#include "media/CConverterArgs.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = FuzzInput::Words(data, size);
    const std::vector<std::string> translated = CConverterArgs::Translate(args);
    // The tool never waits for an answer.
    if (translated.empty() || translated.front() != "-nostdin") {
        std::abort();
    }
    return 0;
}
