#pragma once
// The program's folders. Each can be set by an environment variable; otherwise:
//   bundle     LUMENO_BUNDLE_DIR    <folder of the executable>/bundle
//   documents  LUMENO_DOCUMENTS_DIR $XDG_DATA_HOME/lumeno/Documents (~/.local/share/...)
//   caches     LUMENO_CACHES_DIR    $XDG_CACHE_HOME/lumeno (~/.cache/lumeno)
//   temp       LUMENO_TEMP_DIR      $TMPDIR/lumeno-<uid> (/tmp/...)
//   config     LUMENO_CONFIG_DIR    $XDG_CONFIG_HOME/lumeno (~/.config/lumeno)
// Documents, caches, temp and config are created on first use (the bundle is read only).

#include <optional>
#include <string>

class Paths {
public:
    static std::string bundle();
    static std::string documents();
    static std::string caches();
    static std::string temp();
    static std::string config();
    // <bundle>/<name>, whether or not it exists.
    static std::string bundleResource(const std::string& name);
    // <bundle>[/<folder>]/<name>[.<type>] when that file exists.
    static std::optional<std::string> pathForResource(const std::string& name, const std::string& type,
                                                      const std::string& folder = {});
    static std::string executableFolder();
};
