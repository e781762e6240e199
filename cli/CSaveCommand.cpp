#include "cli/CSaveCommand.h"

#include "cli/CInterruptCancel.h"
#include "cli/CRenderCommand.h"
#include "cli/CSourceOpen.h"
#include "cli/CWorkStream.h"
#include "export/CSavePipeline.h"
#include "media/CFormatIniFile.h"

#include <filesystem>
#include <utility>

CSaveCommand::CSaveCommand(std::string source, std::string target, Options options)
    : m_source(std::move(source)), m_target(std::move(target)), m_options(std::move(options)) {}

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
    work.Stream().m_strSourceName = std::filesystem::path(m_source).filename().string();
    work.Stream().ReadInPlace(opener.TakeReader());
    if (!work.Open()) {
        err << "quorvel-render: cannot open " << opener.WorkPath() << "\n";
        return CRenderCommand::kFailed;
    }
    const int profileIndex =
        m_options.profile
            ? *m_options.profile - 1
            : CFormatIniFile(opener.ProgramDir(), opener.IsStillImage()).ProfileFor(m_target);
    CSavePipeline pipeline(work.Stream(), opener.Converter(), opener.Progress());
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
