#pragma once
// The cancel button of the download progress displays (the index's strip, the reading panel).

#include <memory>

#include "platform/ui/UIButton.h"

std::shared_ptr<UIButton> makeDownloadCancelButton(CGRect frame);
