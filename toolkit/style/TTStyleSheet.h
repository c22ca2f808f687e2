#pragma once
// The process-wide provider of named styles. A style is found by a builder registered under its
// name by the sheet's class (a name ending in ":" takes the control state), or else read from a
// ".ttstyle" archive among the application's resources; what is found is cached per name and
// state until memory runs short.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "toolkit/style/TTStyle.h"

class TTStyleSheet;
using TTStyleSheetPtr = std::shared_ptr<TTStyleSheet>;

class TTStyleSheet {
public:
    // Builds the style of a name for a state; the state is 0 for names without a colon.
    using Builder = std::function<TTStylePtr(TTStyleSheet& sheet, int state)>;
    using Registry = std::map<std::string, Builder>;

    TTStyleSheet();
    virtual ~TTStyleSheet();
    TTStyleSheet(const TTStyleSheet&) = delete;
    TTStyleSheet& operator=(const TTStyleSheet&) = delete;

    // The global sheet: a default sheet made on first use, or whatever was installed.
    static TTStyleSheetPtr globalStyleSheet();
    static void setGlobalStyleSheet(TTStyleSheetPtr sheet);

    TTStylePtr styleWithSelector(const std::string& name) { return styleWithSelector(name, 0); }
    TTStylePtr styleWithSelector(const std::string& name, int state);
    // The style chain of "<name>.ttstyle" in the resources, then in "Vantrel.bundle/styles/".
    TTStylePtr styleFromAppBundleForSelector(const std::string& name);
    void freeMemory();
    void didReceiveMemoryWarning() { freeMemory(); }
    size_t cachedStyleCount() const { return styles_.size(); }

    // The builder registered for a name by this sheet's class or a base class; null when none.
    virtual const Builder* builderNamed(const std::string& name) const { return nullptr; }

    // Colours and fonts the toolkit reads from the global sheet; the default sheet answers them.
    virtual UIFontPtr font() { return UIFont::systemFontOfSize(14); }
    virtual UIColorPtr textColor() { return UIColor::blackColor(); }
    virtual UIColorPtr highlightedTextColor() { return UIColor::whiteColor(); }
    virtual UIColorPtr backgroundColor() { return UIColor::whiteColor(); }

private:
    std::map<std::string, TTStylePtr> styles_;
};
