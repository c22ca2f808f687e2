#pragma once
// Layout strategies a container view hands its subviews to. Each positions the subviews and
// returns the room they take, padding included; the base layout moves nothing.

#include <memory>
#include <vector>

#include "platform/ui/UIView.h"

class TTLayout {
 public:
  virtual ~TTLayout() = default;
  virtual CGSize layoutSubviews(const std::vector<UIViewPtr>& subviews, UIView& view) { return CGSizeZero; }
};

// Left to right, wrapping into rows at the container's width less the padding.
class TTFlowLayout : public TTLayout {
 public:
  CGSize layoutSubviews(const std::vector<UIViewPtr>& subviews, UIView& view) override;
  CGFloat padding = 0;
  CGFloat spacing = 0;
};

// Rows of columnCount equal columns; each cell as high as it asks for at the column width.
class TTGridLayout : public TTLayout {
 public:
  CGSize layoutSubviews(const std::vector<UIViewPtr>& subviews, UIView& view) override;
  int columnCount() const { return columnCount_; }
  // At least one column.
  void setColumnCount(int count) { columnCount_ = count < 1 ? 1 : count; }
  CGFloat padding = 0;
  CGFloat spacing = 0;

 private:
  int columnCount_ = 1;
};
