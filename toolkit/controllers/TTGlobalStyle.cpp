#include "toolkit/controllers/TTGlobalStyle.h"

#include "toolkit/style/TTDefaultStyleSheet.h"

namespace tt {

UIColorPtr globalNavigationBarTintColor() {
  auto* sheet = dynamic_cast<TTDefaultStyleSheet*>(TTStyleSheet::globalStyleSheet().get());
  return sheet ? sheet->navigationBarTintColor() : nullptr;
}

UIColorPtr globalBackgroundColor() { return TTStyleSheet::globalStyleSheet()->backgroundColor(); }

}  // namespace tt
