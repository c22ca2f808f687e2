#pragma once
// Fonts by name and size, resolved through the project's font configuration.
//
// Names: "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique", "GeezaPro",
// "GeezaPro-Bold", or any family the configuration knows ("Liberation Sans", "Noto Naskh Arabic").
// A "-Bold" / "-Oblique" / "-Italic" suffix selects the weight and style.

#include <atomic>
#include <memory>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

class UIFont;
using UIFontPtr = std::shared_ptr<UIFont>;

class UIFont {
public:
    UIFont(std::string name, std::string family, bool bold, bool italic, double pointSize);
    ~UIFont();
    UIFont(const UIFont&) = delete;
    UIFont& operator=(const UIFont&) = delete;

    // Null when the size is not positive or the name is empty.
    static UIFontPtr fontWithName(const std::string& name, double size);
    static UIFontPtr systemFontOfSize(double size);
    static UIFontPtr boldSystemFontOfSize(double size);
    static UIFontPtr italicSystemFontOfSize(double size);
    static double systemFontSize() { return 14; }
    static double labelFontSize() { return 17; }
    static double buttonFontSize() { return 18; }

    UIFontPtr fontWithSize(double size) const;

    const std::string& fontName() const { return name_; }
    const std::string& familyName() const { return family_; }
    double pointSize() const { return size_; }
    bool isBold() const { return bold_; }
    bool isItalic() const { return italic_; }

    // Metrics in points of the face that Latin text resolves to: ascender positive, descender negative
    // (below the baseline). lineHeight is the height of one laid-out line (ascender - descender).
    double ascender() const;
    double descender() const;
    double lineHeight() const;
    double capHeight() const;
    double xHeight() const;
    double leading() const { return 0; }

    const PangoFontDescription* description() const { return desc_; }

private:
    void loadMetrics() const;

    std::string name_;
    std::string family_;
    bool bold_ = false;
    bool italic_ = false;
    double size_ = 0;
    PangoFontDescription* desc_ = nullptr;
    mutable std::atomic<bool> metricsLoaded_{false};
    mutable double ascender_ = 0, descender_ = 0, capHeight_ = 0, xHeight_ = 0;
};
