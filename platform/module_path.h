// Where a loaded module (the executable or a shared library) lives on disk.
// The libraries name themselves by their base name ("KvdTemplates"); these
// helpers turn such a name into the file the process actually loaded.
#pragma once
#include <string>

namespace kvd::platform {

// The file of the loaded module that contains `address`; empty when unknown.
std::string ModulePathOfAddress(const void* address);

// The file of a loaded module whose name matches `name` ignoring case, a
// "lib" prefix and the ".so" / ".so.N" / ".dll" / ".exe" ending: "KvdTemplates"
// finds ".../libKvdTemplates.so". The executable matches its own base name.
// Empty when no loaded module matches.
std::string FindLoadedModule(const std::string& name);

// `name` itself when it names a folder ("/" or "\" in it); otherwise the
// loaded module of that name, and failing that `name` unchanged (a file in
// the working folder).
std::string ResolveModuleFile(const std::string& name);

}  // namespace kvd::platform
