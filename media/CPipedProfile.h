#pragma once

#include "media/CConverterCommand.h"

#include <optional>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

// A movie profile's command turned into the encoder of a save: the profile's input becomes the
// painted pictures, raw 4:2:0, on the tool's input pipe, and the source is read a second time
// for its first sound stream only. The sound is copied as it is when the profile would encode
// it into the codec it already has. The profile text itself stays as the user wrote it.
class CPipedProfile {
public:
    struct Pictures {
        int width = 0;
        int height = 0;
        AVRational rate{0, 1};
        // Where frame 0 lies after the start of the source, in AV_TIME_BASE units: the sound
        // before it is left out, so that the sound starts with the picture it belongs to.
        std::int64_t sourceOffset = 0;
    };

    // The command for templ; none when templ is not one "-i "<%input%>"" with "<%output%>",
    // mapping no streams itself, and the save must take the route through files instead.
    // "<AVOptions>" is left out: the pipe names the pictures' rate. soundCodec is the libavcodec id of the source's sound, 0 without sound.
    static std::optional<CConverterCommand> Command(const std::string& templ,
                                                    const Pictures& pictures,
                                                    const std::string& source, int soundCodec,
                                                    const std::string& output);

private:
    static bool Understood(const std::vector<std::string>& words);
    static bool CopiesSound(const std::vector<std::string>& words, int soundCodec);
    static void AddInputs(CConverterCommand& command, const Pictures& pictures,
                          const std::string& source);
};
