#include "toolkit/views/TTLayout.h"

#include <algorithm>
#include <cmath>

#include "toolkit/views/UIView+TTCategory.h"

CGSize TTFlowLayout::layoutSubviews(const std::vector<UIViewPtr>& subviews, UIView& view) {
  const CGFloat p = padding, s = spacing;
  const CGFloat limit = tt::width(view) - 2 * p;
  CGFloat x = p, y = p, widest = 0, lastHeight = 0;
  for (const auto& subview : subviews) {
    CGFloat w = tt::width(*subview), h = tt::height(*subview);
    if (x + w > limit) {
      x = p;
      y += h + s;
    }
    tt::setOrigin(*subview, CGPointMake(x, y));
    x += w + s;
    lastHeight = h;
    widest = std::max(widest, x);
  }
  return CGSizeMake(widest + p, y + lastHeight + p);
}

CGSize TTGridLayout::layoutSubviews(const std::vector<UIViewPtr>& subviews, UIView& view) {
  const CGFloat p = padding, s = spacing;
  const int n = columnCount_;
  const CGFloat column = std::ceil((tt::width(view) - 2 * p) / n);
  CGFloat x = p, y = p, rowHeight = 0, widest = 0, lastHeight = 0;
  for (size_t i = 0; i < subviews.size(); ++i) {
    UIView& subview = *subviews[i];
    if (i % static_cast<size_t>(n) == 0) {
      y += rowHeight + s;
      x = p;
    }
    rowHeight = subview.sizeThatFits(CGSizeMake(column, 0)).height;
    subview.setFrame(CGRectMake(x, y, column, rowHeight));
    x += tt::width(subview) + s;
    lastHeight = tt::height(subview);
    widest = std::max(widest, x);
  }
  return CGSizeMake(widest + p, y + lastHeight + p);
}
