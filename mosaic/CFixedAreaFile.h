#pragma once

#include "mosaic/CMosaicParam.h"

#include <string>

// The XML progress file with the effect settings and the fixed areas:
// effect / mosaic(enable, type, size[, source]) / area / rect(left, top, right, bottom, frame).
// source names the movie the progress was made for; readers that do not know it pass it by.
class CFixedAreaFile {
public:
    // Replaces the model's fixed areas with those of the file. enable, type and size are taken
    // from the file where it has them, as stored, and keep their values where it does not. A
    // missing or unreadable file loads no areas.
    static void Load(const std::string& path, CMosaicParam& model);
    // Writes the document to path + ".tmp" and renames it over path, so a failed write keeps the
    // previous file. Returns true when the new file is in place.
    static bool Save(const std::string& path, const CMosaicParam& model);
    // Writes a new document at path itself, flushed to the disk; false when it is not whole.
    static bool Write(const std::string& path, const CMosaicParam& model,
                      const std::string& source = {});
    // The movie the file was saved for; empty when the file does not say or does not exist.
    static std::string SourceOf(const std::string& path);
};
