// docs/images-contact-sheet.png is the sheet that ContactSheet.cmake makes of the bundle's images.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/foundation/Paths.h"
#include "tests/support/DocsPicture.h"

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

TEST(ContactSheet, TheDocsSheetShowsTheImagesAsDrawn)
{
    const std::string sheet = Paths::temp() + "/images-contact-sheet.png";
    const std::string command = quoted(CMAKE_COMMAND_PATH) + " -DTOOL=" + quoted(LUMENO_IMAGES_PATH) +
                                " -DBUNDLE=" + quoted(LUMENO_TEST_BUNDLE_DIR) + " -DOUT=" + quoted(sheet) + " -P " +
                                quoted(CONTACT_SHEET_SCRIPT) + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(docs_picture::matchesDocs(sheet, "images-contact-sheet.png"));
}

}  // namespace
