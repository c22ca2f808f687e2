#pragma once
// Pieces of the HTML mail bodies the program writes.

#include <string>

// Text for an HTML body: & < > " ' as entities and line breaks as <br>.
std::string mailHTMLText(const std::string& text);
// The closing "via Lumeno" link to the product's store page.
std::string mailStoreLink();
