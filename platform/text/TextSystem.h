#pragma once
// The text layer's shared font machinery: the project font configuration, one font map and one
// layout context (device independent: no hinting, unrounded positions), guarded by one lock.

#include <mutex>
#include <string>

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;

class TextSystem {
public:
    static TextSystem& shared();

    // Held around every use of the font map, the context and layouts made from it.
    std::recursive_mutex& lock() { return mutex_; }
    PangoContext* context() const { return context_; }
    PangoFontMap* fontMap() const { return fontMap_; }
    // The configuration file in use, or empty when the system's default configuration is used.
    const std::string& configPath() const { return configPath_; }

private:
    TextSystem();
    std::recursive_mutex mutex_;
    PangoFontMap* fontMap_ = nullptr;
    PangoContext* context_ = nullptr;
    std::string configPath_;
};
