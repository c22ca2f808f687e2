#pragma once
// The toolkit inside the program: its texts come from the interface language's string table,
// and its navigator, made on first use, opens web addresses in the in-app web page screen over
// the screen in front; the addresses other programs open go to the desktop.

namespace AppToolkit {

// Called once at launch, before any toolkit screen or link is used.
void start();

}  // namespace AppToolkit
