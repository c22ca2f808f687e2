#include <mutex>

#include "toolkit/style/TTBorderStyles.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTTextStyle.h"

namespace {
template <class T>
void registerStyle() {
    NSKeyedUnarchiver::registerClass(T().archiveClassName(), [](NSKeyedUnarchiver& coder) {
        auto style = std::make_shared<T>();
        style->decodeWithCoder(coder);
        return style;
    });
}
}  // namespace

void TTStyle::registerArchiveClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        TTShape::registerArchiveClasses();
        registerStyle<TTStyle>();
        registerStyle<TTContentStyle>();
        registerStyle<TTPartStyle>();
        registerStyle<TTShapeStyle>();
        registerStyle<TTInsetStyle>();
        registerStyle<TTBoxStyle>();
        registerStyle<TTMaskStyle>();
        registerStyle<TTTextStyle>();
        registerStyle<TTImageStyle>();
        registerStyle<TTSolidFillStyle>();
        registerStyle<TTLinearGradientFillStyle>();
        registerStyle<TTReflectiveFillStyle>();
        registerStyle<TTShadowStyle>();
        registerStyle<TTInnerShadowStyle>();
        registerStyle<TTSolidBorderStyle>();
        registerStyle<TTFourBorderStyle>();
        registerStyle<TTBevelBorderStyle>();
    });
}
