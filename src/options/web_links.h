#pragma once

#include <QString>

namespace brenlow {

class Browser;
class MessageBoxes;

// The maker's web site, to which the link buttons' paths are joined.
inline constexpr char SiteBase[] = "https://www.brenlow.example";

// The pages of the options window's four link buttons, 1..4: download, home (the site's root
// address), feedback, customer resources.
QString LinkAddress(int button);

// Opens the page in the user's browser: the program the desktop associates with ".HTM" files,
// found through a small temporary HTML file, started with the address as its argument. No
// browser: "Could not find associated Browser"; one that does not start: "Web Page not
// Opened"; both in warning boxes of their own. The temporary file is gone when this returns.
void OpenWebPage(const QString &url, Browser &browser, MessageBoxes &messages);

} // namespace brenlow
