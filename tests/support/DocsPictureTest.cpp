// The comparison of renders with the pictures in docs/: what it lets pass and what it catches.
#include "tests/support/DocsPicture.h"

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/foundation/Paths.h"
#include "platform/graphics/CairoHandles.h"

namespace {

namespace fs = std::filesystem;

std::string morePicture() { return std::string(std::getenv("LUMENO_SOURCE_DIR")) + "/docs/more.png"; }

CairoSurface loadMore() { return CairoSurface(cairo_image_surface_create_from_png(morePicture().c_str())); }

// docs/more.png drawn again with `change` applied, written into the temp folder.
std::string changed(const std::string& name, const std::function<void(cairo_t*)>& change, int width = 640, int height = 960) {
    CairoSurface picture = loadMore();
    CairoSurface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Cairo cr(cairo_create(out.get()));
    cairo_set_source_surface(cr.get(), picture.get(), 0, 0);
    cairo_paint(cr.get());
    change(cr.get());
    const std::string path = Paths::temp() + "/" + name;
    cairo_surface_write_to_png(out.get(), path.c_str());
    return path;
}

// The picture painted moved by (dx, dy), its edges repeated into the gap.
void moved(cairo_t* cr, const CairoSurface& picture, double dx, double dy) {
    cairo_set_source_surface(cr, picture.get(), dx, dy);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
}

TEST(DocsPicture, PixelShiftsOfTheInkPassAndChangedContentFails) {
    ASSERT_TRUE(fs::exists(morePicture()));
    const struct {
        const char* name;
        std::function<void(cairo_t*)> change;
        bool matches;
    } cases[] = {
        {"same.png", [](cairo_t*) {}, true},
        {"a-pixel-right.png", [](cairo_t* cr) { moved(cr, loadMore(), 1, 0); }, true},
        {"a-pixel-up-left.png", [](cairo_t* cr) { moved(cr, loadMore(), -1, -1); }, true},
        // A row's label, as pale as the index's juz numbers.
        {"new-label.png",
         [](cairo_t* cr) {
             cairo_set_source_rgb(cr, 0.55, 0.5, 0.45);
             cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
             cairo_set_font_size(cr, 28);
             cairo_move_to(cr, 80, 770);
             cairo_show_text(cr, "How to Use");
         },
         false},
        // The rows' labels three pixels lower.
        {"labels-lower.png",
         [](cairo_t* cr) {
             cairo_rectangle(cr, 70, 100, 400, 600);
             cairo_clip(cr);
             moved(cr, loadMore(), 0, 3);
         },
         false},
    };
    for (const auto& c : cases) {
        const std::string render = changed(c.name, c.change);
        const docs_picture::Difference d = docs_picture::compare(morePicture(), render);
        EXPECT_TRUE(d.error.empty()) << c.name << ": " << d.error;
        EXPECT_EQ(d.share <= docs_picture::kShare, c.matches) << c.name << ": " << d.share;
    }
}

TEST(DocsPicture, AnotherSizeOrAnUnreadableFileIsAnError) {
    const std::string taller = changed("taller.png", [](cairo_t*) {}, 640, 962);
    EXPECT_NE(docs_picture::compare(morePicture(), taller).error.find("640 x 962"), std::string::npos);
    const std::string bad = Paths::temp() + "/bad.png";
    FILE* f = std::fopen(bad.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("not a picture", f);
    std::fclose(f);
    EXPECT_NE(docs_picture::compare(morePicture(), bad).error.find("cannot be read"), std::string::npos);
}

// A failure names the picture and leaves the three images to look at.
TEST(DocsPicture, AFailedMatchLeavesExpectedActualAndDiff) {
    unsetenv("LUMENO_UPDATE_DOCS");  // this render must never replace the picture
    const std::string render = changed("more-render.png", [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_rectangle(cr, 100, 100, 200, 100);
        cairo_fill(cr);
    });
    const testing::AssertionResult result = docs_picture::matchesDocs(render, "more.png");
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("docs/more.png"), std::string::npos);
    for (const char* kept : {"more-expected.png", "more-actual.png", "more-diff.png"})
        EXPECT_TRUE(fs::exists(Paths::temp() + "/" + kept)) << kept;
    EXPECT_FALSE(docs_picture::matchesDocs(render, "no-such-picture.png"));
}

}  // namespace
