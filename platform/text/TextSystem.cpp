#include "platform/text/TextSystem.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"

#include <filesystem>

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

TextSystem& TextSystem::shared() {
    // The pango objects live for the whole process.
    static TextSystem instance;
    return instance;
}

TextSystem::TextSystem() {
    fontMap_ = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    std::error_code ec;
    // fontconfig needs an absolute file name.
    std::string path = std::filesystem::absolute(Paths::bundleResource("fonts/fonts.conf"), ec).string();
    if (std::filesystem::is_regular_file(path, ec)) {
        FcConfig* config = FcConfigCreate();
        if (FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue) &&
            FcConfigBuildFonts(config)) {
            pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap_), config);
            configPath_ = path;
        } else {
            NSLog("Fonts: cannot load %@; using the system font configuration", path);
        }
        FcConfigDestroy(config);  // the font map keeps its own reference
    } else {
        NSLog("Fonts: no %@; using the system font configuration", path);
    }
    context_ = pango_font_map_create_context(fontMap_);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context_, FALSE);
    pango_context_set_language(context_, pango_language_from_string("en"));
}
