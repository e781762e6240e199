#include "cli/CSaveCommand.h"

#include "cli/CInterruptCancel.h"
#include "cli/CRenderCommand.h"
#include "cli/CSourceOpen.h"
#include "cli/CWorkStream.h"
#include "export/CSavePipeline.h"
#include "media/CFormatIniFile.h"
#include "platform/CAsciiText.h"

#include <algorithm>
#include <utility>

namespace {

// The patterns of one filter entry "description|*.a;*.b|".
std::vector<std::string> PatternsOf(const std::string& filter) {
    std::vector<std::string> patterns;
    const std::size_t first = filter.find('|');
    if (first == std::string::npos) {
        return patterns;
    }
    const std::size_t second = filter.find('|', first + 1);
    const std::string list = filter.substr(first + 1, second == std::string::npos
                                                          ? std::string::npos
                                                          : second - first - 1);
    std::size_t start = 0;
    for (std::size_t end; (end = list.find(';', start)) != std::string::npos; start = end + 1) {
        patterns.push_back(list.substr(start, end - start));
    }
    patterns.push_back(list.substr(start));
    return patterns;
}

std::string ExtensionPattern(const std::string& target) {
    const std::size_t slash = target.find_last_of('/');
    const std::size_t dot = target.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return "*" + target.substr(dot);
}

} // namespace

CSaveCommand::CSaveCommand(std::string source, std::string target, Options options)
    : m_source(std::move(source)), m_target(std::move(target)), m_options(std::move(options)) {}

int CSaveCommand::ProfileFor(const CFormatIniFile& profiles, const std::string& target) {
    const std::string wanted = ExtensionPattern(target);
    const std::vector<std::string>& filters = profiles.Filters();
    for (std::size_t i = 0; i < filters.size() && !wanted.empty(); ++i) {
        const std::vector<std::string> patterns = PatternsOf(filters[i]);
        if (std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                return CAsciiText::EqualNoCase(pattern, wanted);
            })) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string CSaveCommand::OneLine(const std::string& message) {
    std::string line;
    for (const char c : message) {
        if (c == '\n' || c == '\r') {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    return line;
}

int CSaveCommand::Run(std::ostream& err) const {
    const CInterruptCancel interrupt;
    CSourceOpen opener;
    opener.Progress().SetCancelFlag(CInterruptCancel::Flag());
    if (!opener.Open(m_source)) {
        err << "quorvel-render: "
            << (opener.Progress().CancelRequested() ? "cancelled" : "cannot open " + m_source)
            << "\n";
        return CRenderCommand::kFailed;
    }
    CWorkStream work(opener.WorkPath(), m_options.type, m_options.deinterlace,
                     opener.TakeWorkFiles());
    if (!work.Open()) {
        err << "quorvel-render: cannot open " << opener.WorkPath() << "\n";
        return CRenderCommand::kFailed;
    }
    const int profileIndex =
        m_options.profile
            ? *m_options.profile - 1
            : ProfileFor(CFormatIniFile(opener.ProgramDir(), opener.IsStillImage()), m_target);
    CSavePipeline pipeline(work.Stream(), opener.Converter(), opener.Progress(),
                           opener.SoundPath());
    const CSavePipeline::Result result = pipeline.Save(m_source, m_target, profileIndex);
    switch (result.status) {
    case CSavePipeline::Status::Saved:
        return CRenderCommand::kOk;
    case CSavePipeline::Status::Cancelled:
        err << "quorvel-render: cancelled\n";
        break;
    case CSavePipeline::Status::SameAsSource:
    case CSavePipeline::Status::Failed:
        err << "quorvel-render: " << OneLine(result.message) << "\n";
        break;
    }
    return CRenderCommand::kFailed;
}
