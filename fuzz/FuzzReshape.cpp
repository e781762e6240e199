// The reshaping decision from the media probe's answers (width, height, pixel aspect, rotation
// as the library's texts).
#include "FuzzInput.h"
#include "media/COpenPipeline.h"
#include "platform/CNumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> answers = FuzzInput::Words(data, size);
    answers.resize(4);
    (void)COpenPipeline::ReshapeOptions(
        CNumberText::ParseLeadingInt(answers[0]), CNumberText::ParseLeadingInt(answers[1]),
        CNumberText::ParseDouble(answers[2]), CNumberText::ParseLeadingInt(answers[3]));
    return 0;
}
