// A plug-in runs inside pixora-export, so its crash would end the command
// with the signal's status, which a build tool cannot tell from a refusal,
// and leave its half-written file behind. While a guard lives, a crash
// signal removes that file, says which plug-in crashed and exits with
// status 3.
#pragma once

#include <string>

class PluginCrashGuard {
public:
    PluginCrashGuard(const std::string& pluginFileName, const std::string& fileToRemove);
    ~PluginCrashGuard();
    PluginCrashGuard(const PluginCrashGuard&) = delete;
    PluginCrashGuard& operator=(const PluginCrashGuard&) = delete;
};
