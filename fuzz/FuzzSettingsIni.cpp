// The settings INI: the document class every settings read and write goes through.
#include "FuzzInput.h"
#include "platform/CIniDocument.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = FuzzInput::Text(data, size);
    // The first line names a section and a key to change; the rest is the file.
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view names = text.substr(0, end);
    const std::size_t equals = std::min(names.find('='), names.size());
    const std::string section(names.substr(0, equals));
    const std::string key(names.substr(std::min(equals + 1, names.size())));
    CIniDocument document(text.substr(std::min(end + 1, text.size())));
    (void)document.Get(section, key);
    if (document.Set(section, key, "42")) {
        // A key just written reads back, also after a save and a load.
        const CIniDocument reloaded(document.Text());
        if (document.Get(section, key) != "42" || reloaded.Get(section, key) != "42") {
            std::abort();
        }
    }
    document.Remove(section, key);
    (void)document.Text();
    return 0;
}
