#include "options/web_links.h"

#include "core/message_boxes.h"
#include "platform/browser.h"

#include <QDir>
#include <QTemporaryFile>

#include <array>
#include <optional>

namespace brenlow {
namespace {

// A double quote, "<HTML> <\HTML>", a double quote, CR LF: 18 bytes.
constexpr char ProbeContent[] = "\"<HTML> <\\HTML>\"\r\n";

// The probe file lives in the user's own temporary folder under a name of its own, so no
// other user or run can plant or share it; it is deleted when this object goes.
class ProbeFile
{
public:
    ProbeFile() : file_(QDir::tempPath() + QStringLiteral("/brenlow-XXXXXX.HTM"))
    {
        file_.setAutoRemove(true);
        const QByteArray content(ProbeContent);
        written_ = file_.open() && file_.write(content) == content.size() && file_.flush();
        file_.close();
    }

    bool Written() const { return written_; }
    QString Path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
    bool written_ = false;
};

} // namespace

QString LinkAddress(int button)
{
    static const std::array<const char *, 4> Paths = {
        "/pages/download.htm",
        "",
        "/pages/feedback.asp",
        "/pages/customerresources.htm",
    };
    if (button < 1 || button > 4)
        return QString::fromLatin1(SiteBase);
    return QString::fromLatin1(SiteBase) + QString::fromLatin1(Paths[button - 1]);
}

void OpenWebPage(const QString &url, Browser &browser, MessageBoxes &messages)
{
    // The probe lives until the operation ends, whatever its outcome.
    const ProbeFile probe;
    std::optional<AssociatedProgram> program;
    // A probe that cannot be written cannot be asked about: no browser can be named.
    if (probe.Written())
        program = browser.FindAssociatedProgram(probe.Path());
    if (!program || program->Program.trimmed().isEmpty()) {
        messages.ShowMessage(QStringLiteral("Could not find associated Browser"),
                             QStringLiteral("Browser Not Found"), MessageIcon::Warning);
        return;
    }
    if (!browser.StartProgram(*program, url))
        messages.ShowMessage(QStringLiteral("Web Page not Opened"), QStringLiteral("URL Failed"),
                             MessageIcon::Warning);
}

} // namespace brenlow
