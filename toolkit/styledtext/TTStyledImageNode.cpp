#include "toolkit/styledtext/TTStyledImageNode.h"

#include "toolkit/network/TTURLCache.h"

void TTStyledImageNode::setURL(const std::string& url) {
    if (url == url_) return;
    url_ = url;
    image_ = TTURLCache::sharedCache().imageForURL(url);
}
