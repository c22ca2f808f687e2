#pragma once
// The verses of one supplication theme: the prostration page's list, mechanics and look, with
// the theme's references, no obligatory verses, and no footer.

#include <string>
#include <vector>

#include "Classes/Reference/SajdaViewController.h"

class SupplicationsDetailsController : public SajdaViewController {
public:
    explicit SupplicationsDetailsController(const std::string& nibName = "SupplicationDetailController")
        : SajdaViewController(nibName) {}

    // The themes, in row order: name, shown count and "chapter:verse" references.
    struct Theme {
        const char* name;
        const char* count;
        std::vector<std::string> references;
    };
    static constexpr int kThemeCount = 10;
    static const Theme& theme(int index);

protected:
    void loadList() override;
};
