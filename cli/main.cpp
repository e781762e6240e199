#include "cli/CRenderCommand.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

int main(int argc, char** argv) {
    // The renderer reports its own one-line errors; the libraries' chatter would bury them.
    av_log_set_level(AV_LOG_QUIET);
    try {
        CRenderCommand command;
        if (!command.Parse(std::vector<std::string>(argv + 1, argv + argc))) {
            std::cerr << "quorvel-render: " << command.Error() << "\n";
            return CRenderCommand::kBadArguments;
        }
        return command.Run(std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "quorvel-render: " << error.what() << "\n";
        return CRenderCommand::kFailed;
    }
}
