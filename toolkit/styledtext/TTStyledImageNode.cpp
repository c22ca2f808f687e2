#include "toolkit/styledtext/TTStyledImageNode.h"

#include "toolkit/style/TTStyleImages.h"

void TTStyledImageNode::setURL(const std::string& url) {
    if (url == url_) return;
    url_ = url;
    image_ = TTStyleImages::imageForURL(url);
}
