#pragma once

#include <QImage>
#include <QString>

class RX40CFileVersion;

// The library's own bitmap and strings. A host replaces any of them by carrying a Qt resource
// of the same number: ":/RX40dApp/bitmap/24853" (any image format Qt reads) or
// ":/RX40dApp/string/<number>" (UTF-8 text).
class CAppAboutResources {
public:
    static constexpr int LogoBitmap = 24853;    // 200 by 50, RGB(230, 230, 230) left clear
    static constexpr int WebAddress = 24902;    // the maker's web page
    static constexpr int PhoneNumber = 24903;   // a blank: no phone line
    static constexpr int TrademarkLine = 24904; // a blank: no trademark line

    static QImage Logo();
    static QString String(int id);
    // "%s %s": a file's name and its fixed file version, as both dialogs show the program.
    static QString VersionLine(const RX40CFileVersion& version);
};
