// The profile's command template: split into words, then the placeholders filled in.
#include "FuzzInput.h"
#include "media/CConverterCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string templ(FuzzInput::Text(data, size));
    (void)CConverterCommand::SplitTemplate(templ);
    (void)CConverterCommand::FromTemplate(templ, "in put.mp4", "/o/\"out\".avi", "-b 3000k");
    return 0;
}
