#include "media/CMediaInfoLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace {

constexpr const char* kSoname = MEDIAINFODLL_NAME;

template <typename Fn> bool Resolve(void* module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(::dlsym(module, name));
    return fn != nullptr;
}

} // namespace

CMediaInfoLibrary::CMediaInfoLibrary(std::vector<std::string> candidates)
    : m_candidates(std::move(candidates)) {}

std::vector<std::string> CMediaInfoLibrary::Candidates(const std::string& programDir) {
    std::vector<std::string> names;
    if (!programDir.empty() && programDir.front() == '/') {
        const char* separator = programDir.back() == '/' ? "" : "/";
        names.push_back(programDir + separator + "misc/x64/" + kSoname);
    }
    names.emplace_back(kSoname);
    return names;
}

CMediaInfoLibrary& CMediaInfoLibrary::Shared(const std::string& programDir) {
    static CMediaInfoLibrary library(Candidates(programDir));
    return library;
}

const CMediaInfoLibrary::Api* CMediaInfoLibrary::Load() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (auto name = m_candidates.begin(); !m_module && name != m_candidates.end(); ++name) {
        Bind(*name);
    }
    return m_module ? &m_api : nullptr;
}

std::string CMediaInfoLibrary::ShownName() const {
    return m_candidates.empty() ? kSoname : m_candidates.front();
}

bool CMediaInfoLibrary::Bind(const std::string& name) {
    void* module = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        return false;
    }
    Api api;
    const bool complete = Resolve(module, "MediaInfo" MEDIAINFO_Ansi "_New", api.New) &&
                          Resolve(module, "MediaInfo" MEDIAINFO_Ansi "_Open", api.Open) &&
                          Resolve(module, "MediaInfo" MEDIAINFO_Ansi "_Get", api.Get) &&
                          Resolve(module, "MediaInfo" MEDIAINFO_Ansi "_Close", api.Close) &&
                          Resolve(module, "MediaInfo" MEDIAINFO_Ansi "_Delete", api.Delete);
    if (!complete) {
        ::dlclose(module);
        return false;
    }
    m_module = module;
    m_api = api;
    return true;
}
