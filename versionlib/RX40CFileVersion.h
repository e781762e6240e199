#pragma once

#include "versionlib/RX40dAppExport.h"

#include <cstdint>
#include <string>

// Reads the version record (VS_VERSIONINFO) of one file once, at construction: from a PE
// file's resources or from the version section our own ELF files carry. Texts are UTF-8.
class RX40DAPP_API RX40CFileVersion {
public:
    RX40CFileVersion(); // the running executable
    explicit RX40CFileVersion(const std::string& path);
    RX40CFileVersion(const RX40CFileVersion& other);
    RX40CFileVersion& operator=(const RX40CFileVersion& other);
    virtual ~RX40CFileVersion();

    virtual std::string ToStrFixedFileVersion() const;
    virtual std::string ToStrFixedProductVersion() const;
    virtual std::string GetSpecialBuild() const;
    virtual std::string GetProductVersion() const;
    virtual std::string GetProductName() const;
    virtual std::string GetPrivateBuild() const;
    virtual std::string GetLegalTrademarks() const;
    virtual std::string GetLegalCopyright() const;
    virtual std::string GetInternalName() const;
    virtual std::string GetFileVersion() const;
    virtual std::string GetOriginalFileName() const;
    virtual std::string GetFileDescription() const;
    virtual std::string GetCompanyName() const;
    virtual std::string GetComments() const;
    virtual std::string GetFileName() const;
    virtual std::string GetFilePath() const;

private:
    void init();
    static std::string toStrFixedVersion(std::uint32_t high, std::uint32_t low);

    std::uint32_t m_fixed[13] = {};
    std::string m_strFilePath;
    std::string m_strCompanyName;
    std::string m_strFileDescription;
    std::string m_strFileVersion;
    std::string m_strInternalName;
    std::string m_strLegalCopyright;
    std::string m_strOriginalFileName;
    std::string m_strProductName;
    std::string m_strProductVersion;
    std::string m_strComments;
    std::string m_strLegalTrademarks;
    std::string m_strPrivateBuild;
    std::string m_strSpecialBuild;
};
