#include "sitetools/updatesession.h"

#include "net/stageddownload.h"
#include "net/tickhttp.h"
#include "platform/core/definitionfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/prompts.h"

namespace {
const std::string kParagraph = "\n\r\n\r";
// Far beyond any catalog or definition; an endless answer stops here.
constexpr long long kUpdateFileLimit = 16LL << 20;
}  // namespace

void checkDownloadedDefinition(const std::string& url, const std::filesystem::path& file,
                               const TemplateRules& rules) {
    const std::string text = readFileBytes(file);
    std::string cause = definitionFormError(text, rules);
    if (!cause.empty())
        throw DownloadError(url + ": not an engine definition (" + cause + ")");
    if (hasHeaderLines(text)) {
        std::error_code ec;
        std::filesystem::permissions(
            file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ec);
        if (ec)
            throw DownloadError(file.string() +
                                ": cannot make it readable by its owner alone: " + ec.message());
    }
}

UpdateSession::UpdateSession(UpdateContext context, std::string server, std::string program, std::string root)
    : m_c(std::move(context)),
      m_server(std::move(server)),
      m_program(std::move(program)),
      m_root(std::move(root)) {
    while (!m_server.empty() && m_server.back() == '/')
        m_server.pop_back();
}

std::string UpdateSession::address(const std::string& file) const {
    return m_server + m_root + file;
}

bool UpdateSession::start() {
    if (!m_c.prompts.confirm(
            "The Engine List Update requires a restart of " + m_program + " upon completion." + kParagraph +
            "The update will retrieve the latest engine definition list fron the Orlek Server as well as the "
            "latest "
            "engine definition files. The engine List update will automatically update your system. No user "
            "interaction is required." +
            kParagraph + "Do you want to run the update now?")) {
        return false;
    }
    m_c.setBusyCursor(true);
    m_c.http.setBodyLimit(kUpdateFileLimit);
    return true;
}

void UpdateSession::fetch(const std::string& file, const std::string& target,
                          const std::function<void(const std::filesystem::path&)>& check) {
    StagedDownload download(m_c.http);
    std::filesystem::path staged = download.fetch(address(file), m_c.folder.resolveForWriting(target));
    if (check)
        check(staged);
    download.commit();
}

void UpdateSession::fail(const std::string& message, const std::string& status) {
    m_c.prompts.error(message);
    if (!status.empty())
        m_c.setStatus(status);
    m_c.setBusyCursor(false);
}

void UpdateSession::finish() {
    m_c.setStatus("Engine Update Complete");
    m_c.prompts.information("Engine definition update is complete, " + m_program +
                            " will now shutdown. The next time you start " + m_program +
                            " you will be using the updated definitions.");
    m_c.http.setLocalFile("");
    m_c.setBusyCursor(false);
    m_c.endProgram();
}
