#include "cli/CSourceOpen.h"

#include "platform/CProgramFolders.h"
#include "resources/CStringTable.h"

#include <cstdio>

namespace {

std::string LoadText(int id) {
    return CStringTable::Load(id);
}

// Settings "TmpFile_VCodec" and "TmpFile_BitRate(k)" as the program has them by default.
constexpr const char* kDefaultCodec = "";
constexpr const char* kDefaultBitRate = "30000";

} // namespace

CSourceOpen::CSourceOpen()
    : m_programDir(CProgramFolders::GetModuleFolder()), m_progress(stderr),
      m_converter(m_programDir, CProgramFolders::GetUserDataFolder(m_programDir), m_progress,
                  &LoadText),
      m_pipeline(m_converter, m_programDir, kDefaultCodec, kDefaultBitRate, &LoadText) {
    m_pipeline.ReadInPlace();
}

bool CSourceOpen::Open(const std::string& source) {
    return m_pipeline.Open(source);
}
