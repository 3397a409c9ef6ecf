// The help engine's way from a help request to a document. Requests name a help file
// after the executable ("/usr/bin/marivenn.HLP"); no viewer for that old format exists
// here, so the player ships its help as one HTML page named after the executable, with
// one section per help context, and the desktop's browser shows it.
#pragma once

#include <optional>
#include <string>

// The HTML help page for `helpFile`: "<stem>.html" beside it, or the installed copy in
// "<prefix>/share/doc/<stem>/<stem>.html" when the file sits in "<prefix>/bin". Nothing
// when neither exists.
std::optional<std::string> FindHelpDocument(const std::string& helpFile);

// The anchor of a help context within the page, e.g. "context-20066".
std::string HelpAnchor(unsigned long context);
