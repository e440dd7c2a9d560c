#include "CliText.h"

#include "Windows1252.h"

std::string TerminalText(const std::string& pluginText)
{
    std::string lf;
    for (size_t i = 0; i < pluginText.size(); ++i)
        if (!(pluginText[i] == '\r' && i + 1 < pluginText.size() && pluginText[i + 1] == '\n'))
            lf += pluginText[i];
    return Windows1252ToUtf8(lf);
}

std::string Quoted(const std::string& text)
{
    return "« " + text + " »";
}
