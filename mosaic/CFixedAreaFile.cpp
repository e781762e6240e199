#include "mosaic/CFixedAreaFile.h"

#include "platform/CDurableFile.h"
#include "platform/CNumberText.h"
#include "platform/RX40dCXMLOld.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace {

std::optional<std::int32_t> ReadInt(RX40dCXMLOld& xml, const char* attribute, const char* element) {
    std::string text;
    if (!xml.GetAttributeValue(text, attribute, element, 0, nullptr, 0)) {
        return std::nullopt;
    }
    return CNumberText::ParseLeadingInt(text);
}

void ReadSettings(RX40dCXMLOld& xml, CMosaicParam& model) {
    if (!xml.SetParentNode("effect", 0)) {
        return;
    }
    model.enable = ReadInt(xml, "enable", "mosaic").value_or(model.enable);
    model.type = ReadInt(xml, "type", "mosaic").value_or(model.type);
    // Kept as stored, whatever it is: the painter brings it into each effect's range.
    model.size = ReadInt(xml, "size", "mosaic").value_or(model.size);
}

std::optional<T_RECT> ReadArea(RX40dCXMLOld& xml, int index) {
    if (!xml.SetParentNode("area", index)) {
        return std::nullopt;
    }
    const auto left = ReadInt(xml, "left", "rect");
    const auto top = ReadInt(xml, "top", "rect");
    const auto right = ReadInt(xml, "right", "rect");
    const auto bottom = ReadInt(xml, "bottom", "rect");
    if (!left || !top || !right || !bottom) {
        return std::nullopt;
    }
    return T_RECT{*left, *top, *right, *bottom};
}

void SetInt(RX40dCXMLOld& xml, const char* attribute, std::int32_t value, const char* element) {
    xml.SetAttribute(attribute, std::to_string(value).c_str(), element, 0, nullptr, 0);
}

void WriteArea(RX40dCXMLOld& xml, const T_RECT& rect, int index) {
    xml.SetParentNode("mosaic", 0);
    xml.AddNode("area", index, nullptr, 0);
    xml.SetParentNode("area", index);
    xml.AddNode("rect", 0, nullptr, 0);
    SetInt(xml, "left", rect.left, "rect");
    SetInt(xml, "top", rect.top, "rect");
    SetInt(xml, "right", rect.right, "rect");
    SetInt(xml, "bottom", rect.bottom, "rect");
    SetInt(xml, "frame", 0, "rect");
}

} // namespace

void CFixedAreaFile::Load(const std::string& path, CMosaicParam& model) {
    model.RemoveAllFixedAreas();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return;
    }
    RX40dCXMLOld xml(path);
    ReadSettings(xml, model);
    if (!xml.SetParentNode("mosaic", 0)) {
        return;
    }
    const int count = xml.GetNodeCount("area", nullptr, 0);
    for (int i = 0; i < count; ++i) {
        if (const std::optional<T_RECT> rect = ReadArea(xml, i)) {
            model.AddFixedArea(*rect);
        }
    }
}

bool CFixedAreaFile::Save(const std::string& path, const CMosaicParam& model) {
    const std::string temp = CDurableFile::TempPath(path);
    return Write(temp, model) && CDurableFile::MoveOver(temp, path);
}

std::string CFixedAreaFile::SourceOf(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    RX40dCXMLOld xml(path);
    std::string source;
    if (xml.SetParentNode("effect", 0)) {
        xml.GetAttributeValue(source, "source", "mosaic", 0, nullptr, 0);
    }
    return source;
}

bool CFixedAreaFile::Write(const std::string& path, const CMosaicParam& model,
                           const std::string& source) {
    // The document would be read from a file left at path (an interrupted save) and added to.
    std::error_code error;
    std::filesystem::remove(path, error);
    RX40dCXMLOld xml(path);
    xml.SetTopNode("effect");
    xml.SetParentNode("effect", 0);
    xml.AddNode("mosaic", 0, nullptr, 0);
    SetInt(xml, "enable", model.enable != 0 ? 1 : 0, "mosaic");
    SetInt(xml, "type", model.type, "mosaic");
    SetInt(xml, "size", model.size, "mosaic");
    if (!source.empty()) {
        xml.SetAttribute("source", source.c_str(), "mosaic", 0, nullptr, 0);
    }
    const std::vector<T_RECT>& areas = model.FixedAreas();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        WriteArea(xml, areas[i], static_cast<int>(i));
    }
    return xml.Save() != 0;
}
