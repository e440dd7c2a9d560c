#include "CliText.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdlib>

#include "Windows1252.h"

std::string TerminalText(const std::string& pluginText)
{
    std::string lf;
    for (size_t i = 0; i < pluginText.size(); ++i)
        if (!(pluginText[i] == '\r' && i + 1 < pluginText.size() && pluginText[i + 1] == '\n'))
            lf += pluginText[i];
#if defined(_WIN32)
    return lf; // already in the code page of the console (ShowAnsiTextOnConsole)
#else
    return Windows1252ToUtf8(lf);
#endif
}

void ShowAnsiTextOnConsole()
{
#if defined(_WIN32)
    static const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(GetACP());
    std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
#endif
}

std::string Quoted(const std::string& text)
{
    return "« " + text + " »";
}
