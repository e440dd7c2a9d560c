// A shared library loaded by its full path for the lifetime of one object,
// and released when the object goes. It is how the plug-in host looks at a
// plug-in for one step only. Functions are found by their exact exported
// name; a library that could not be loaded exports nothing.
#pragma once

#include <span>
#include <string>

class DynamicLibrary {
public:
    explicit DynamicLibrary(const std::string& path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    // Why the library could not be loaded, in the system's words.
    const std::string& LoadError() const { return loadError_; }

    // The address of the exported function, or nullptr.
    void* Find(const char* name) const;

    // The first of the names that the library exports; later names are not
    // looked up once one is found.
    void* FindFirst(std::span<const char* const> names) const;

    template <typename Function> Function FindFirstAs(std::span<const char* const> names) const
    {
        return reinterpret_cast<Function>(FindFirst(names));
    }

private:
    void* handle_ = nullptr;
    std::string loadError_;
};
