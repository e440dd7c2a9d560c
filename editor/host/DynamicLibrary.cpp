#include "DynamicLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// The loader searches its own folders for a bare name; a plug-in is always
// meant to be the file at that path.
std::string WithFolder(const std::string& path)
{
#if defined(_WIN32)
    const char* currentFolder = ".\\";
#else
    const char* currentFolder = "./";
#endif
    if (path.find_first_of("/\\") != std::string::npos)
        return path;
    return currentFolder + path;
}

} // namespace

#if defined(_WIN32)

DynamicLibrary::DynamicLibrary(const std::string& path)
{
    if (!path.empty())
        handle_ = reinterpret_cast<void*>(LoadLibraryA(WithFolder(path).c_str()));
    if (!handle_)
        loadError_ = "erreur " + std::to_string(GetLastError());
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

void* DynamicLibrary::Find(const char* name) const
{
    if (!handle_)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

#else

DynamicLibrary::DynamicLibrary(const std::string& path)
{
    if (!path.empty())
        handle_ = dlopen(WithFolder(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* error = dlerror();
        loadError_ = error ? error : "";
    }
}

DynamicLibrary::~DynamicLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void* DynamicLibrary::Find(const char* name) const
{
    if (!handle_)
        return nullptr;
    return dlsym(handle_, name);
}

#endif

void* DynamicLibrary::FindFirst(std::span<const char* const> names) const
{
    for (const char* name : names)
        if (name)
            if (void* function = Find(name))
                return function;
    return nullptr;
}
